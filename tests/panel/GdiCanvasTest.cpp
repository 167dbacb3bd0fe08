#include "panel/GdiCanvas.h"

#include "PixelTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace vanemark;
using namespace vanemark::test;

namespace {

constexpr Colour black = 0x000000;
constexpr Colour red = 0x0000FF;
constexpr Colour blue = 0xFF0000;

template <typename Draw> QImage Paint(int w, int h, Draw draw)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    GdiCanvas canvas(painter);
    draw(canvas);
    painter.end();
    return image;
}

} // namespace

TEST(GdiCanvas, RightAndBottomEdgesAndLineEndsAreExclusive)
{
    const QImage image = Paint(20, 20, [](GdiCanvas& c) { c.FillRect({2, 3, 7, 9}, red); });
    EXPECT_EQ(BoundsOf(image, red), (PixelRect{2, 3, 7, 9}));
    EXPECT_EQ(CountOf(image, red, {0, 0, 20, 20}), 5 * 6);
    const QImage inverted = Paint(20, 20, [](GdiCanvas& c) { c.FillRect({7, 3, 2, 9}, red); });
    EXPECT_EQ(CountOf(inverted, red, {0, 0, 20, 20}), 0);

    // Lines leave their end point unpainted.
    struct Case {
        PixelPoint from, to;
        PixelRect painted;
    };
    for (const Case& l : {Case{{2, 5}, {9, 5}, {2, 5, 9, 6}}, Case{{9, 5}, {2, 5}, {3, 5, 10, 6}},
                          Case{{4, 1}, {4, 12}, {4, 1, 5, 12}}})
        EXPECT_EQ(BoundsOf(Paint(20, 20, [&](GdiCanvas& c) { c.Line(l.from, l.to, red); }), red), l.painted);

    const QImage diagonal = Paint(20, 20, [](GdiCanvas& c) { c.Line({1, 1}, {11, 11}, red); });
    EXPECT_TRUE(PixelIs(diagonal, 1, 1, red));
    EXPECT_TRUE(PixelIs(diagonal, 10, 10, red));
    EXPECT_FALSE(PixelIs(diagonal, 11, 11, red));
    EXPECT_EQ(CountOf(diagonal, red, {0, 0, 20, 20}), 10);

    // A closed outline still gets every corner: each segment paints the next one's start.
    const PixelPoint square[] = {{3, 3}, {10, 3}, {10, 10}, {3, 10}, {3, 3}};
    const QImage outline = Paint(20, 20, [&](GdiCanvas& c) { c.Polyline(square, red); });
    EXPECT_EQ(BoundsOf(outline, red), (PixelRect{3, 3, 11, 11}));
    EXPECT_EQ(CountOf(outline, red, {0, 0, 20, 20}), 4 * 7);
}

TEST(GdiCanvas, FrameRectIsTheOutermostRingAndPenZeroIsOnePixel)
{
    for (int pen : {0, 1}) {
        const QImage image = Paint(20, 20, [pen](GdiCanvas& c) { c.FrameRect({2, 2, 12, 8}, red, pen); });
        EXPECT_EQ(BoundsOf(image, red), (PixelRect{2, 2, 12, 8})) << pen;
        EXPECT_EQ(CountOf(image, red, {0, 0, 20, 20}), 2 * 10 + 2 * 4) << pen;
    }
    const QImage wide = Paint(20, 20, [](GdiCanvas& c) { c.FrameRect({4, 4, 14, 14}, red, 3); });
    EXPECT_EQ(BoundsOf(wide, red), (PixelRect{3, 3, 15, 15}));
    EXPECT_TRUE(PixelIs(wide, 5, 9, red));
    EXPECT_FALSE(PixelIs(wide, 6, 9, red));
}

TEST(GdiCanvas, EllipseOutlineStaysInsideItsBoundingRectangle)
{
    const Colour fill = blue;
    const QImage image = Paint(30, 30, [&](GdiCanvas& c) { c.Ellipse({3, 4, 24, 19}, red, &fill); });
    PixelRect painted = BoundsOf(image, red);
    EXPECT_EQ(painted, (PixelRect{3, 4, 24, 19}));
    EXPECT_TRUE(PixelIs(image, 13, 11, blue));
    EXPECT_TRUE(PixelIs(image, 3, 11, red));

    // Odd sizes are symmetric about their centre pixel, as the stick's marks rely on.
    const QImage mark = Paint(20, 20, [](GdiCanvas& c) { c.Ellipse({7, 7, 14, 14}, red); });
    EXPECT_EQ(BoundsOf(mark, red), (PixelRect{7, 7, 14, 14}));
    for (int y = 7; y < 14; ++y)
        for (int x = 7; x < 14; ++x)
            EXPECT_EQ(PixelIs(mark, x, y, red), PixelIs(mark, 20 - x, y, red)) << x << "," << y;
}

TEST(GdiCanvas, DottedEllipseGapsShowTheGapColour)
{
    const QImage image = Paint(40, 40, [](GdiCanvas& c) { c.DottedEllipse({5, 5, 36, 36}, red, blue); });
    const int dots = CountOf(image, red, {0, 0, 40, 40});
    const int gaps = CountOf(image, blue, {0, 0, 40, 40});
    EXPECT_GT(dots, 30);
    EXPECT_GT(gaps, 30);
    EXPECT_EQ(BoundsOf(image, red).left, 5);
    EXPECT_TRUE(PixelIs(image, 20, 20, black));
}

TEST(GdiCanvas, PieRunsCounterClockwiseFromFirstToSecondRadial)
{
    // Bounding circle centred near (20, 20), radius 20. From straight down to
    // straight right, counter-clockwise, is the lower right quarter; swapped, the other three.
    const QImage quarter = Paint(41, 41, [](GdiCanvas& c) { c.Pie({0, 0, 41, 41}, {20, 40}, {40, 20}, red, red); });
    const QImage rest = Paint(41, 41, [](GdiCanvas& c) { c.Pie({0, 0, 41, 41}, {40, 20}, {20, 40}, red, red); });
    EXPECT_EQ(BoundsOf(quarter, red), (PixelRect{20, 20, 41, 41}));
    for (const PixelPoint p : {PixelPoint{10, 10}, {10, 30}, {30, 10}}) {
        EXPECT_FALSE(PixelIs(quarter, p.x, p.y, red)) << p.x << "," << p.y;
        EXPECT_TRUE(PixelIs(rest, p.x, p.y, red)) << p.x << "," << p.y;
    }
    EXPECT_TRUE(PixelIs(quarter, 30, 30, red));
    EXPECT_FALSE(PixelIs(rest, 30, 30, red));
    EXPECT_TRUE(PixelIs(rest, 0, 20, red));
    EXPECT_TRUE(PixelIs(rest, 20, 0, red));

    // A polygon is filled and outlined, its last edge included.
    const PixelPoint triangle[] = {{2, 20}, {30, 20}, {16, 4}};
    const QImage polygon = Paint(40, 30, [&](GdiCanvas& c) { c.Polygon(triangle, red, blue); });
    EXPECT_TRUE(PixelIs(polygon, 16, 15, blue));
    EXPECT_TRUE(PixelIs(polygon, 16, 20, red));
    EXPECT_TRUE(PixelIs(polygon, 16, 4, red));
    EXPECT_FALSE(PixelIs(polygon, 16, 21, red));

    // Colours keep red in the low byte and ignore the top byte.
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x12C0FFC0), QColor(0xC0, 0xFF, 0xC0));
}
