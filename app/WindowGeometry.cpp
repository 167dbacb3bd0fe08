#include "app/WindowGeometry.h"

#include <cstdlib>
#include <utility>

namespace vanemark {

ScreenRect PlaceWindow(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                       std::int32_t minWidth, std::int32_t minHeight, const ScreenRect& desktop)
{
    ScreenRect r{left, top, left + width, top + height};
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    if (r.Width() < minWidth) {
        r.right = r.left + minWidth;
    }
    if (r.Height() < minHeight) {
        r.bottom = r.top + minHeight;
    }
    if (r.right > desktop.right) {
        const std::int32_t excess = r.right - desktop.right;
        r.left -= excess;
        r.right -= excess;
    }
    if (r.bottom > desktop.bottom) {
        const std::int32_t excess = r.bottom - desktop.bottom;
        r.top -= excess;
        r.bottom -= excess;
    }
    return r;
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
