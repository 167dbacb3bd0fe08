#pragma once

#include "panel/GdiCanvas.h"
#include "panel/PixelGeometry.h"

#include <QImage>

#include <functional>

namespace vanemark::test {

inline QRgb Rgb(Colour colour)
{
    return ToQColor(colour).rgb();
}

inline bool PixelIs(const QImage& image, int x, int y, Colour colour)
{
    return image.valid(x, y) && image.pixel(x, y) == Rgb(colour);
}

// Smallest rectangle (right/bottom exclusive) holding every pixel of the colour; empty if none.
inline PixelRect BoundsOf(const QImage& image, Colour colour)
{
    PixelRect r{image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == Rgb(colour)) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r.IsEmpty() ? PixelRect{} : r;
}

inline int CountOf(const QImage& image, Colour colour, const PixelRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (image.valid(x, y) && image.pixel(x, y) == Rgb(colour))
                ++n;
    return n;
}

} // namespace vanemark::test
