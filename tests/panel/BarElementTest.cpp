#include "panel/BarElement.h"

#include "PixelTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vanemark;
using namespace vanemark::test;

namespace {

BarElement MakeBar(PixelRect rect, BarDirection direction, BarStyle style, double value)
{
    BarElement bar;
    bar.settings.rect = rect;
    bar.settings.direction = direction;
    bar.settings.style = style;
    bar.settings.fillColour = 0x0000FF;
    bar.settings.borderColour = 0xFF0000;
    bar.value = value;
    return bar;
}

QImage Draw(const BarElement& bar, int w = 60, int h = 60)
{
    QImage image(w, h, QImage::Format_RGB32);
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

TEST(BarElement, FractionFollowsTheStyle)
{
    BarElement bar;
    EXPECT_EQ(bar.settings.show, 1);
    EXPECT_TRUE(bar.settings.rect.IsEmpty());
    EXPECT_EQ(bar.settings.direction, BarDirection::Up);
    EXPECT_EQ(bar.settings.style, BarStyle::Full);
    EXPECT_EQ(bar.settings.penWidth, 1);
    EXPECT_EQ(bar.settings.fillColour, 0xFFFFFF);
    EXPECT_EQ(bar.value, 0.0);

    bar.value = 1.2;
    EXPECT_DOUBLE_EQ(bar.GetFraction(), 1.1);
    bar.value = -1.0;
    EXPECT_DOUBLE_EQ(bar.GetFraction(), 0.0);
    bar.settings.style = BarStyle::Centred;
    EXPECT_DOUBLE_EQ(bar.GetFraction(), -1.0);
}

TEST(BarElement, FullStyleFillsFromTheAnchoredEdge)
{
    const PixelRect r{10, 10, 30, 50};
    EXPECT_TRUE(MakeBar(r, BarDirection::Up, BarStyle::Full, -1.0).Geometry().fill.IsEmpty());
    EXPECT_EQ(MakeBar(r, BarDirection::Up, BarStyle::Full, 0.0).Geometry().fill, (PixelRect{10, 30, 30, 50}));
    EXPECT_EQ(MakeBar(r, BarDirection::Up, BarStyle::Full, 1.0).Geometry().fill, r);
    // 1.2 overshoots the frame by a tenth of its height.
    EXPECT_EQ(MakeBar(r, BarDirection::Up, BarStyle::Full, 1.2).Geometry().fill, (PixelRect{10, 6, 30, 50}));
    EXPECT_EQ(MakeBar(r, BarDirection::Down, BarStyle::Full, 0.0).Geometry().fill, (PixelRect{10, 10, 30, 30}));
    EXPECT_EQ(MakeBar(r, BarDirection::Left, BarStyle::Full, 0.0).Geometry().fill, (PixelRect{20, 10, 30, 50}));
    EXPECT_EQ(MakeBar(r, BarDirection::Right, BarStyle::Full, 0.0).Geometry().fill, (PixelRect{10, 10, 20, 50}));
    EXPECT_FALSE(MakeBar(r, BarDirection::Up, BarStyle::Full, 0.0).Geometry().hasZeroLine);
}

TEST(BarElement, CentredStyleGrowsFromTheCentreLine)
{
    const BarGeometry up = MakeBar({0, 0, 10, 20}, BarDirection::Up, BarStyle::Centred, 0.5).Geometry();
    EXPECT_EQ(up.fill, (PixelRect{0, 5, 10, 10}));
    EXPECT_TRUE(up.hasZeroLine);
    EXPECT_EQ(up.zeroFrom, (PixelPoint{0, 10}));
    EXPECT_EQ(up.zeroTo, (PixelPoint{10, 10}));
    EXPECT_EQ(MakeBar({0, 0, 10, 20}, BarDirection::Up, BarStyle::Centred, -0.5).Geometry().fill,
              (PixelRect{0, 10, 10, 15}));
    EXPECT_EQ(MakeBar({0, 0, 10, 20}, BarDirection::Down, BarStyle::Centred, 0.5).Geometry().fill,
              (PixelRect{0, 10, 10, 15}));
    EXPECT_EQ(MakeBar({0, 0, 10, 20}, BarDirection::Down, BarStyle::Centred, -0.5).Geometry().fill,
              (PixelRect{0, 5, 10, 10}));

    const PixelRect wide{0, 0, 40, 10};
    const BarGeometry left = MakeBar(wide, BarDirection::Left, BarStyle::Centred, 0.5).Geometry();
    EXPECT_EQ(left.fill, (PixelRect{10, 0, 20, 10}));
    EXPECT_EQ(left.zeroFrom, (PixelPoint{20, 0}));
    EXPECT_EQ(left.zeroTo, (PixelPoint{20, 10}));
    EXPECT_EQ(MakeBar(wide, BarDirection::Left, BarStyle::Centred, -0.5).Geometry().fill, (PixelRect{20, 0, 30, 10}));
    EXPECT_EQ(MakeBar(wide, BarDirection::Right, BarStyle::Centred, 0.5).Geometry().fill, (PixelRect{20, 0, 30, 10}));
    EXPECT_EQ(MakeBar(wide, BarDirection::Right, BarStyle::Centred, -0.5).Geometry().fill, (PixelRect{10, 0, 20, 10}));
    EXPECT_TRUE(MakeBar(wide, BarDirection::Right, BarStyle::Centred, 0.0).Geometry().fill.IsEmpty());
}

TEST(BarElement, DrawsFillThenFrameThenZeroLine)
{
    const QImage full = Draw(MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, 0.0));
    EXPECT_EQ(BoundsOf(full, 0xFF0000), (PixelRect{10, 10, 30, 50})); // frame, right/bottom exclusive
    EXPECT_EQ(BoundsOf(full, 0x0000FF), (PixelRect{11, 30, 29, 49})); // the fill under the frame
    EXPECT_TRUE(PixelIs(full, 20, 20, 0x000000));

    const QImage empty = Draw(MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, -1.0));
    EXPECT_EQ(CountOf(empty, 0x0000FF, {0, 0, 60, 60}), 0);
    EXPECT_EQ(CountOf(empty, 0xFF0000, {0, 0, 60, 60}), 2 * 20 + 2 * 38);

    const QImage centred = Draw(MakeBar({0, 0, 10, 20}, BarDirection::Up, BarStyle::Centred, 0.5));
    EXPECT_EQ(BoundsOf(centred, 0x0000FF), (PixelRect{1, 5, 9, 10}));
    for (int x = 0; x < 10; ++x)
        EXPECT_TRUE(PixelIs(centred, x, 10, 0xFF0000)) << x;
    EXPECT_FALSE(PixelIs(centred, 10, 10, 0xFF0000));

    const QImage zero = Draw(MakeBar({0, 0, 40, 10}, BarDirection::Left, BarStyle::Centred, 0.0));
    EXPECT_EQ(CountOf(zero, 0x0000FF, {0, 0, 60, 60}), 0);
    for (int y = 0; y < 10; ++y)
        EXPECT_TRUE(PixelIs(zero, 20, y, 0xFF0000)) << y;
}

TEST(BarElement, HiddenOrEmptyBarsDrawNothing)
{
    BarElement hidden = MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, 1.0);
    hidden.settings.show = 0;
    EXPECT_EQ(CountOf(Draw(hidden), 0x000000, {0, 0, 60, 60}), 60 * 60);
    EXPECT_EQ(
        CountOf(Draw(MakeBar({10, 10, 10, 50}, BarDirection::Up, BarStyle::Centred, 1.0)), 0x000000, {0, 0, 60, 60}),
        60 * 60);
    EXPECT_EQ(CountOf(Draw(MakeBar({10, 10, 30, 5}, BarDirection::Up, BarStyle::Full, 1.0)), 0x000000, {0, 0, 60, 60}),
              60 * 60);

    BarElement thin = MakeBar({10, 10, 30, 50}, BarDirection::Up, BarStyle::Full, -1.0);
    thin.settings.penWidth = 0;
    EXPECT_EQ(BoundsOf(Draw(thin), 0xFF0000), (PixelRect{10, 10, 30, 50}));
    EXPECT_TRUE(PixelIs(Draw(thin), 11, 11, 0x000000));
}
