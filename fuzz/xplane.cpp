// X-Plane RREF replies (the input split at "\n--\n" into several datagrams,
// read in turn by one subscription's gatherer): a reply that does not read
// changes nothing, and what is read is always something the panel can draw.
#include "SimReadingCheck.h"
#include "simfeeds/XPlaneRref.h"

#include <span>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    XPlaneReplies replies;
    ReadEachDatagram(data, size, [&replies](std::span<const std::uint8_t> datagram, SimReading& reading) {
        return replies.Read(datagram, reading);
    });
    return 0;
}
