#pragma once

#include <cstdint>
#include <span>

namespace vanemark {

// A rectangle in screen pixels; right and bottom are exclusive.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

inline constexpr std::int32_t kSnapDistance = 10;
// A window showing less than this much of itself (on each side) on every
// screen cannot be grabbed, so start-up brings it back.
inline constexpr std::int32_t kMinVisible = 32;

// Where the window goes at start-up: the stored top-left corner with the
// window's size (never below the panel's smallest usable size), pulled back
// inside the screen at the right and bottom edges only, so that a window the
// user parked partly off the left or top edge stays there.
ScreenRect PlaceWindow(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                       std::int32_t minWidth, std::int32_t minHeight, const ScreenRect& desktop);

// The window rectangle `window` unchanged while some screen shows at least
// kMinVisible x kMinVisible pixels of it (all of it, for a smaller window);
// otherwise moved, at its size, into the nearest of `screens` (the first of
// equally near ones), where PlaceWindow's right and bottom rules then keep it.
// A window partly off the left or top edge is left where the user put it.
// Without screens, nothing is known and nothing moves.
ScreenRect RescueWindow(const ScreenRect& window, std::span<const ScreenRect> screens,
                        std::int32_t minVisible = kMinVisible);

// The window rectangle while it is dragged: its top-left corner follows the
// cursor at the offset where the drag began, and an edge that comes closer
// than `snap` pixels to the screen's edge sticks to it (left before right,
// top before bottom).
ScreenRect DragWindow(const ScreenRect& window, ScreenPoint cursor, ScreenPoint dragOffset, const ScreenRect& desktop,
                      std::int32_t snap = kSnapDistance);

} // namespace vanemark
