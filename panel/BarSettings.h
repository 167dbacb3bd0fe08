#pragma once

#include "panel/PixelGeometry.h"

namespace vanemark {

// The numbers are those of the layout file's documentation and must not move.
enum class BarDirection : std::int32_t { Up = 0, Down = 1, Left = 2, Right = 3 };
enum class BarStyle : std::int32_t { Full = 0, Centred = 1 };

// One bar section of the layout file.
struct BarSettings {
    std::int32_t show = 1;
    PixelRect rect;
    BarDirection direction = BarDirection::Up;
    BarStyle style = BarStyle::Full;
    std::int32_t penWidth = 1;
    Colour fillColour = 0xFFFFFF;
    Colour borderColour = 0xFFFFFF;
};

} // namespace vanemark
