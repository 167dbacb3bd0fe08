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

namespace {

// Length of the overlap of [a0, a1) and [b0, b1); 0 when they do not meet.
std::int64_t Overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1)
{
    return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

// Gap between [a0, a1) and [b0, b1) along one axis; 0 when they overlap.
std::int64_t Gap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1)
{
    return std::max<std::int64_t>({0, b0 - a1, a0 - b1});
}

// Shifts [low, low + length) into [edgeLow, edgeHigh), the low edge winning
// when it does not fit.
std::int64_t Into(std::int64_t low, std::int64_t length, std::int64_t edgeLow, std::int64_t edgeHigh)
{
    return std::max(edgeLow, std::min(low, edgeHigh - length));
}

} // namespace

ScreenRect RescueWindow(const ScreenRect& window, std::span<const ScreenRect> screens, std::int32_t minVisible)
{
    const std::int64_t width = window.Width();
    const std::int64_t height = window.Height();
    const std::int64_t needX = std::min<std::int64_t>(minVisible, width);
    const std::int64_t needY = std::min<std::int64_t>(minVisible, height);
    const ScreenRect* nearest = nullptr;
    double nearestDistance = 0.0; // squared; a double, as int32 gaps squared overflow 64 bits
    for (const ScreenRect& s : screens) {
        if (Overlap(window.left, window.right, s.left, s.right) >= needX &&
            Overlap(window.top, window.bottom, s.top, s.bottom) >= needY) {
            return window;
        }
        const auto dx = static_cast<double>(Gap(window.left, window.right, s.left, s.right));
        const auto dy = static_cast<double>(Gap(window.top, window.bottom, s.top, s.bottom));
        const double distance = dx * dx + dy * dy;
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = &s;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr) {
        return window;
    }
    const std::int64_t left = Into(window.left, width, nearest->left, nearest->right);
    const std::int64_t top = Into(window.top, height, nearest->top, nearest->bottom);
    return {Narrow(left), Narrow(top), Narrow(left + width), Narrow(top + height)};
}

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
