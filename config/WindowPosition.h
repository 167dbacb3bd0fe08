#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark::settings {

// A window rectangle as "position" stores it.
struct StoredPosition {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
};

// Four blank-separated integers; a missing one reads as 0.
StoredPosition ParsePosition(std::string_view value);
// "top bottom left right"
std::string FormatPosition(const StoredPosition& position);

// Vanemark.ini -> Vanemark.log. Only the file name's own extension is
// replaced, never a dot in a folder name.
std::string LogFileNameFor(std::string_view settingsFile);

} // namespace vanemark::settings
