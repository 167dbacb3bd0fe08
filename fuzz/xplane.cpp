// X-Plane RREF replies (the input split at "\n--\n" into several datagrams,
// read in turn by one subscription's gatherer): a reply that does not read
// changes nothing, and what is read is always something the panel can draw.
#include "SimReadingCheck.h"
#include "simfeeds/XPlaneRref.h"

#include <span>
#include <string_view>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    XPlaneReplies replies;
    SimReading reading;
    while (true) {
        const auto cut = input.find("\n--\n");
        const std::string_view part = input.substr(0, cut);
        const SimReading before = reading;
        const Verdict verdict =
            replies.Read(std::span(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()), reading);
        CheckUnchangedUnlessTaken(verdict, before, reading);
        CheckReading(reading);
        if (cut == std::string_view::npos) {
            break;
        }
        input.remove_prefix(cut + 4);
    }
    return 0;
}
