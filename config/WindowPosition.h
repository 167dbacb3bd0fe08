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

// No screen reaches further than this from the desktop's origin; a stored
// number beyond it is a damaged file, not a place to put the window.
inline constexpr std::int32_t kMaxCoordinate = 32767;

// Four blank-separated integers, each held within +-kMaxCoordinate; a missing one reads as 0.
StoredPosition ParsePosition(std::string_view value);
// "top bottom left right"
std::string FormatPosition(const StoredPosition& position);

// Vanemark.ini -> Vanemark.log. Only the file name's own extension is
// replaced, never a dot in a folder name.
std::string LogFileNameFor(std::string_view settingsFile);

} // namespace vanemark::settings
