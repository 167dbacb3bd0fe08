#pragma once

#include <QColor>
#include <cstdint>

namespace vanemark {

// Colours travel through the settings files and the panel as 0x00BBGGRR
// (red in the low byte); Qt wants them as QColor.
inline QColor ToQColor(std::uint32_t colour)
{
    return {static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
            static_cast<int>((colour >> 16) & 0xFFu)};
}

inline std::uint32_t FromQColor(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

inline constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

} // namespace vanemark
