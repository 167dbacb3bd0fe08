#include "panel/BarElement.h"

#include <gtest/gtest.h>

#include <limits>

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

// The hand's tick lies on the fill's outermost pixel at its value, two pixels
// past the frame on each side; with nothing filled, where filling starts.
TEST(BarElement, TickSitsOnTheFillEdgeAcrossTheFrame)
{
    using enum BarDirection;
    constexpr BarStyle kFull = BarStyle::Full, kDual = BarStyle::Centred;
    const PixelRect tall{10, 10, 30, 50}, narrow{0, 0, 10, 20}, wide{0, 0, 40, 10};
    const struct {
        PixelRect rect;
        BarDirection direction;
        BarStyle style;
        double value;
        PixelRect tick;
        int pen = 1;
    } cases[] = {
        {tall, Up, kFull, 0.0, {8, 30, 32, 31}},
        {tall, Up, kFull, 1.0, {8, 10, 32, 11}},
        {tall, Up, kFull, -1.0, {8, 49, 32, 50}}, // the bottom row, not below the frame
        {tall, Up, kFull, -3.0, {8, 49, 32, 50}},
        {tall, Up, kFull, 1.5, {8, 0, 32, 1}}, // past full scale, as the fill goes
        {tall, Down, kFull, 0.0, {8, 29, 32, 30}},
        {tall, Left, kFull, 0.0, {20, 8, 21, 52}},
        {tall, Right, kFull, 0.0, {19, 8, 20, 52}},
        {tall, Up, kFull, 0.0, {7, 30, 33, 31}, 3}, // clear of a wider frame too
        {narrow, Up, kDual, 0.5, {-2, 5, 12, 6}},
        {narrow, Up, kDual, -0.5, {-2, 14, 12, 15}},
        {narrow, Up, kDual, 0.0, {-2, 10, 12, 11}}, // the zero line
        {wide, Right, kDual, -0.5, {10, -2, 11, 12}},
        {wide, Left, kDual, 0.5, {10, -2, 11, 12}},
        {tall, Up, kFull, std::numeric_limits<double>::quiet_NaN(), {}},
        {tall, Up, kFull, std::numeric_limits<double>::infinity(), {}},
    };
    for (const auto& c : cases) {
        const BarElement bar({.rect = c.rect, .direction = c.direction, .style = c.style, .penWidth = c.pen});
        EXPECT_EQ(bar.Tick(c.value), c.tick) << &c - cases;
    }
    EXPECT_EQ(BarElement({.show = 0, .rect = tall}).Tick(0.0), PixelRect{}) << "hidden";
}
