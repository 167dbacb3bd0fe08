#include "app/WindowGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace vanemark {

namespace {

std::int32_t Narrow(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

ScreenRect PlaceWindow(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                       std::int32_t minWidth, std::int32_t minHeight, const ScreenRect& desktop)
{
    // In 64 bits: a damaged settings or layout file may hold any int32.
    std::int64_t x0 = left;
    std::int64_t y0 = top;
    std::int64_t x1 = x0 + width;
    std::int64_t y1 = y0 + height;
    if (x0 > x1) {
        std::swap(x0, x1);
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    x1 = std::max<std::int64_t>(x1, x0 + minWidth);
    y1 = std::max<std::int64_t>(y1, y0 + minHeight);
    if (x1 > desktop.right) {
        x0 -= x1 - desktop.right;
        x1 = desktop.right;
    }
    if (y1 > desktop.bottom) {
        y0 -= y1 - desktop.bottom;
        y1 = desktop.bottom;
    }
    return {Narrow(x0), Narrow(y0), Narrow(x1), Narrow(y1)};
}

namespace {

// Offset that moves [low, high) onto the nearer of the two edges, low first.
std::int32_t SnapAxis(std::int32_t low, std::int32_t high, std::int32_t edgeLow, std::int32_t edgeHigh,
                      std::int32_t snap)
{
    if (std::abs(low - edgeLow) < snap) {
        return edgeLow - low;
    }
    if (std::abs(edgeHigh - high) < snap) {
        return edgeHigh - high;
    }
    return 0;
}

} // namespace

ScreenRect DragWindow(const ScreenRect& window, ScreenPoint cursor, ScreenPoint dragOffset, const ScreenRect& desktop,
                      std::int32_t snap)
{
    const std::int32_t width = window.Width();
    const std::int32_t height = window.Height();
    ScreenRect r{cursor.x - dragOffset.x, cursor.y - dragOffset.y, 0, 0};
    r.right = r.left + width;
    r.bottom = r.top + height;
    const std::int32_t dx = SnapAxis(r.left, r.right, desktop.left, desktop.right, snap);
    const std::int32_t dy = SnapAxis(r.top, r.bottom, desktop.top, desktop.bottom, snap);
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

} // namespace vanemark
