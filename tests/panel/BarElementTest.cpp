#include "panel/BarElement.h"

#include <gtest/gtest.h>

using namespace vanemark;

namespace {

BarElement MakeBar(PixelRect rect, BarDirection direction, BarStyle style)
{
    return BarElement({.rect = rect, .direction = direction, .style = style});
}

} // namespace

// The golden pictures of the panel show the bars drawn; this is the rule behind them.
TEST(BarElement, FillAndZeroLineInEveryStyleAndDirection)
{
    using enum BarDirection;
    constexpr BarStyle kFull = BarStyle::Full, kDual = BarStyle::Centred;
    const PixelRect tall{10, 10, 30, 50}, narrow{0, 0, 10, 20}, lowered{0, 10, 10, 30}, wide{0, 0, 40, 10};
    struct Case {
        PixelRect rect;
        BarDirection direction;
        BarStyle style;
        double value;
        PixelRect fill; // any empty rectangle will do where nothing is filled
        int zeroLine;   // y of an up/down zero line, x of a left/right one; -1 for none
    };
    const Case cases[] = {
        {tall, Up, kFull, -1.0, {}, -1},
        {tall, Up, kFull, 0.0, {10, 30, 30, 50}, -1},
        {tall, Up, kFull, 1.0, tall, -1},
        {tall, Up, kFull, 1.2, {10, 6, 30, 50}, -1}, // overshoots the frame by a tenth
        {tall, Down, kFull, 0.0, {10, 10, 30, 30}, -1},
        {tall, Left, kFull, 0.0, {20, 10, 30, 50}, -1},
        {tall, Right, kFull, 0.0, {10, 10, 20, 50}, -1},
        {narrow, Up, kDual, 0.5, {0, 5, 10, 10}, 10},
        {narrow, Up, kDual, -0.5, {0, 10, 10, 15}, 10},
        {narrow, Down, kDual, 0.5, {0, 10, 10, 15}, 10},
        {narrow, Down, kDual, -0.5, {0, 5, 10, 10}, 10},
        // A bar away from the top centres on its own middle.
        {lowered, Up, kDual, 0.5, {0, 15, 10, 20}, 20},
        {lowered, Down, kDual, 0.5, {0, 20, 10, 25}, 20},
        {wide, Left, kDual, 0.5, {10, 0, 20, 10}, 20},
        {wide, Left, kDual, -0.5, {20, 0, 30, 10}, 20},
        {wide, Right, kDual, 0.5, {20, 0, 30, 10}, 20},
        {wide, Right, kDual, -0.5, {10, 0, 20, 10}, 20},
        {wide, Right, kDual, 0.0, {}, 20},
    };
    for (const Case& c : cases) {
        const BarGeometry g = MakeBar(c.rect, c.direction, c.style).Geometry(c.value);
        const auto row = &c - cases;
        EXPECT_EQ(g.fill.IsEmpty() ? PixelRect{} : g.fill, c.fill) << row;
        EXPECT_EQ(g.hasZeroLine, c.zeroLine >= 0) << row;
        const bool across = c.direction == Up || c.direction == Down;
        const PixelPoint from = across ? PixelPoint{c.rect.left, c.zeroLine} : PixelPoint{c.zeroLine, c.rect.top};
        const PixelPoint to = across ? PixelPoint{c.rect.right, c.zeroLine} : PixelPoint{c.zeroLine, c.rect.bottom};
        EXPECT_TRUE(c.zeroLine < 0 || std::pair(g.zeroFrom, g.zeroTo) == std::pair(from, to)) << row;
    }
}
