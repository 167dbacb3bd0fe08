// IL-2 Great Battles datagrams (the input split at the bytes "\n--\n" into
// several, read in turn into one reading): a datagram that does not read
// changes nothing, and what is read is always something the panel can draw.
#include "SimReadingCheck.h"
#include "simfeeds/Il2gbPacket.h"

#include <span>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadEachDatagram(data, size, [](std::span<const std::uint8_t> datagram, SimReading& reading) {
        return ReadIl2gbDatagram(datagram, reading);
    });
    return 0;
}
