// The aircraft text comes from the network and becomes a file name: whatever
// it holds, the name is one safe path component inside the layouts folder.
#include "FuzzCheck.h"
#include "config/AircraftLayout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vanemark::settings;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string file = AircraftLayoutFileName(text);
    const bool blank = std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
    FUZZ_CHECK(file.empty() == blank);
    if (file.empty()) {
        return 0;
    }
    FUZZ_CHECK(file.ends_with(kAircraftLayoutExtension));
    const std::string name = file.substr(0, file.size() - kAircraftLayoutExtension.size());
    FUZZ_CHECK(!name.empty() && name.size() <= kAircraftNameMax && name.front() != '.');
    FUZZ_CHECK(std::all_of(name.begin(), name.end(),
                           [](unsigned char c) { return std::isalnum(c) != 0 || c == '.' || c == '_' || c == '-'; }));
    // Windows keeps these names for devices, whatever follows the first dot.
    std::string stem = name.substr(0, name.find('.'));
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        FUZZ_CHECK(stem != device);
    }
    FUZZ_CHECK(!(stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' &&
                 stem[3] <= '9'));
    // The same text always gives the same file.
    FUZZ_CHECK(AircraftLayoutFileName(text) == file);
    return 0;
}
