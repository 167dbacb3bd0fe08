#include "panel/BarElement.h"

#include "PixelTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vanemark;
using namespace vanemark::test;

namespace {

constexpr Colour fill = 0x0000FF;
constexpr Colour border = 0xFF0000;
constexpr Colour none = 0x000000;

BarElement MakeBar(PixelRect rect, BarDirection direction, BarStyle style, double value)
{
    BarElement bar;
    bar.settings = {.rect = rect, .direction = direction, .style = style, .fillColour = fill, .borderColour = border};
    bar.value = value;
    return bar;
}

QImage Draw(const BarElement& bar)
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QPen pen(Qt::yellow);
    painter.setPen(pen);
    painter.setBrush(Qt::cyan);
    bar.Draw(painter);
    // Draw hands the painter back as it found it.
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.brush(), QBrush(Qt::cyan));
    painter.end();
    return image;
}

} // namespace

TEST(BarElement, FillRectanglesInEveryStyleAndDirection)
{
    using enum BarDirection;
    const PixelRect tall{10, 10, 30, 50}, narrow{0, 0, 10, 20}, wide{0, 0, 40, 10};
    struct Case {
        PixelRect rect;
        BarDirection direction;
        BarStyle style;
        double value;
        PixelRect fill;
    };
    const Case cases[] = {
        {tall, Up, BarStyle::Full, -1.0, {}},
        {tall, Up, BarStyle::Full, 0.0, {10, 30, 30, 50}},
        {tall, Up, BarStyle::Full, 1.0, tall},
        {tall, Up, BarStyle::Full, 1.2, {10, 6, 30, 50}}, // overshoots the frame by a tenth
        {tall, Down, BarStyle::Full, 0.0, {10, 10, 30, 30}},
        {tall, Left, BarStyle::Full, 0.0, {20, 10, 30, 50}},
        {tall, Right, BarStyle::Full, 0.0, {10, 10, 20, 50}},
        {narrow, Up, BarStyle::Centred, 0.5, {0, 5, 10, 10}},
        {narrow, Up, BarStyle::Centred, -0.5, {0, 10, 10, 15}},
        {narrow, Down, BarStyle::Centred, 0.5, {0, 10, 10, 15}},
        {narrow, Down, BarStyle::Centred, -0.5, {0, 5, 10, 10}},
        {wide, Left, BarStyle::Centred, 0.5, {10, 0, 20, 10}},
        {wide, Left, BarStyle::Centred, -0.5, {20, 0, 30, 10}},
        {wide, Right, BarStyle::Centred, 0.5, {20, 0, 30, 10}},
        {wide, Right, BarStyle::Centred, -0.5, {10, 0, 20, 10}},
        {wide, Right, BarStyle::Centred, 0.0, {}},
    };
    for (const Case& c : cases) {
        const BarGeometry geometry = MakeBar(c.rect, c.direction, c.style, c.value).Geometry();
        // Any empty rectangle will do where nothing is filled.
        EXPECT_EQ(geometry.fill.IsEmpty() ? PixelRect{} : geometry.fill, c.fill) << &c - cases;
        EXPECT_EQ(geometry.hasZeroLine, c.style == BarStyle::Centred) << &c - cases;
    }
    const BarGeometry left = MakeBar(wide, Left, BarStyle::Centred, 0.5).Geometry();
    EXPECT_EQ(left.zeroFrom, (PixelPoint{20, 0}));
    EXPECT_EQ(left.zeroTo, (PixelPoint{20, 10}));

    BarElement bar = MakeBar(tall, Up, BarStyle::Full, 1.2);
    EXPECT_DOUBLE_EQ(bar.GetFraction(), 1.1);
    bar.value = -1.0;
    EXPECT_DOUBLE_EQ(bar.GetFraction(), 0.0);
    bar.settings.style = BarStyle::Centred;
    EXPECT_DOUBLE_EQ(bar.GetFraction(), -1.0);
}

TEST(BarElement, DrawsFillThenFrameThenZeroLine)
{
    const QImage full = Draw(MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, 0.0));
    EXPECT_EQ(BoundsOf(full, border), (PixelRect{10, 10, 30, 50})); // frame, right/bottom exclusive
    EXPECT_EQ(BoundsOf(full, fill), (PixelRect{11, 30, 29, 49}));   // the fill under the frame
    EXPECT_TRUE(PixelIs(full, 20, 20, none));

    const QImage empty = Draw(MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, -1.0));
    EXPECT_EQ(CountOf(empty, fill, {0, 0, 60, 60}), 0);
    EXPECT_EQ(CountOf(empty, border, {0, 0, 60, 60}), 2 * 20 + 2 * 38);

    const QImage centred = Draw(MakeBar({0, 0, 10, 20}, BarDirection::Up, BarStyle::Centred, 0.5));
    EXPECT_EQ(BoundsOf(centred, fill), (PixelRect{1, 5, 9, 10}));
    EXPECT_EQ(CountOf(centred, border, {0, 10, 11, 11}), 10); // the zero line, end point excluded

    const QImage zero = Draw(MakeBar({0, 0, 40, 10}, BarDirection::Left, BarStyle::Centred, 0.0));
    EXPECT_EQ(CountOf(zero, fill, {0, 0, 60, 60}), 0);
    EXPECT_EQ(CountOf(zero, border, {20, 0, 21, 10}), 10);

    // Hidden, zero-width and upside-down bars draw nothing; a pen of width 0 is one pixel.
    BarElement hidden = MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, 1.0);
    hidden.settings.show = 0;
    for (const BarElement& bar : {hidden, MakeBar({10, 10, 10, 50}, BarDirection::Up, BarStyle::Centred, 1.0),
                                  MakeBar({10, 10, 30, 5}, BarDirection::Up, BarStyle::Full, 1.0)})
        EXPECT_EQ(CountOf(Draw(bar), none, {0, 0, 60, 60}), 60 * 60);
    BarElement thin = MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, -1.0);
    thin.settings.penWidth = 0;
    EXPECT_EQ(BoundsOf(Draw(thin), border), (PixelRect{10, 10, 30, 50}));
    EXPECT_TRUE(PixelIs(Draw(thin), 11, 11, none));
}
