// IL-2 Great Battles datagrams (the input split at the bytes "\n--\n" into
// several, read in turn into one reading): a datagram that does not read
// changes nothing, and what is read is always something the panel can draw.
#include "SimReadingCheck.h"
#include "simfeeds/Il2gbPacket.h"

#include <span>
#include <string_view>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    SimReading reading;
    while (true) {
        const auto cut = input.find("\n--\n");
        const std::string_view part = input.substr(0, cut);
        const SimReading before = reading;
        const Verdict verdict =
            ReadIl2gbDatagram(std::span(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()), reading);
        CheckUnchangedUnlessTaken(verdict, before, reading);
        CheckReading(reading);
        if (cut == std::string_view::npos) {
            break;
        }
        input.remove_prefix(cut + 4);
    }
    return 0;
}
