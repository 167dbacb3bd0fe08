#include "panel/GdiCanvas.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

using namespace vanemark;

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

// Draws on black; then `count` red pixels (any number when negative) must
// show, and the smallest rectangle holding them (right/bottom exclusive) be `painted`.
void Expect(const char* rule, PixelRect painted, int count, const std::function<void(GdiCanvas&)>& draw)
{
    QImage image(41, 41, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    GdiCanvas canvas(painter);
    draw(canvas);
    PixelRect r{41, 41, 0, 0};
    int pixels = 0;
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            if (image.pixel(x, y) == ToQColor(kRed).rgb()) {
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
                ++pixels;
            }
        }
    }
    EXPECT_EQ(r.IsEmpty() ? PixelRect{} : r, painted) << rule;
    EXPECT_TRUE(count < 0 || pixels == count) << rule;
}

} // namespace

// The panel's golden pictures pin the shapes as a whole; these pin the raster rules behind them.
TEST(GdiCanvas, EdgesEndsAndOutlinesFollowTheClassicRasterRules)
{
    Expect("a fill leaves right and bottom", {2, 3, 7, 9}, 30, [](GdiCanvas& c) { c.FillRect({2, 3, 7, 9}, kRed); });
    Expect("an inverted fill is empty", {}, 0, [](GdiCanvas& c) { c.FillRect({7, 3, 2, 9}, kRed); });
    Expect("a line leaves its end", {2, 5, 9, 6}, 7, [](GdiCanvas& c) { c.Line({2, 5}, {9, 5}, kRed); });
    Expect("so does a reversed one", {3, 5, 10, 6}, 7, [](GdiCanvas& c) { c.Line({9, 5}, {2, 5}, kRed); });
    Expect("and a diagonal", {1, 1, 11, 11}, 10, [](GdiCanvas& c) { c.Line({1, 1}, {11, 11}, kRed); });
    // Only the steps on the surface are walked, whatever the ends; int ends far apart still step exactly.
    Expect("a line across the whole int range", {0, 5, 41, 6}, 41, [](GdiCanvas& c) {
        c.Line({INT_MIN, 5}, {INT_MAX, 5}, kRed);
    });
    Expect("a slope of a half from far off", {0, 0, 41, 21}, 41, [](GdiCanvas& c) {
        c.Line({-2000000000, -1000000000}, {2000000000, 1000000000}, kRed);
    });
    const PixelPoint square[] = {{3, 3}, {10, 3}, {10, 10}, {3, 10}, {3, 3}};
    Expect("a closed outline gets every corner", {3, 3, 11, 11}, 28, [&](GdiCanvas& c) { c.Polyline(square, kRed); });
    Expect("a frame of pen 0 is one pixel", {2, 2, 12, 8}, 28, [](GdiCanvas& c) {
        c.FrameRect({2, 2, 12, 8}, kRed, 0);
    });
    Expect("a wide frame centres on the edge", {3, 3, 15, 15}, 12 * 12 - 6 * 6, [](GdiCanvas& c) {
        c.FrameRect({4, 4, 14, 14}, kRed, 3);
    });
    Expect("an ellipse stays in its box", {3, 4, 24, 19}, -1, [](GdiCanvas& c) { c.Ellipse({3, 4, 24, 19}, kRed); });
    // Counter-clockwise from straight down to straight right: the lower right quarter.
    Expect("a pie turns counter-clockwise", {20, 20, 41, 41}, -1, [](GdiCanvas& c) {
        c.Pie({0, 0, 41, 41}, {20, 40}, {40, 20}, kRed, kRed);
    });
    // Colours keep red in the low byte and ignore the top byte.
    EXPECT_EQ(ToQColor(0x12C0FFC0), QColor(0xC0, 0xFF, 0xC0));
}

TEST(GdiCanvas, WritingPixelsDirectlyMatchesQtsOwnPath)
{
    // The same calls on a translated, clipped painter take Qt's own path;
    // shifted back, the picture must match the direct one.
    const auto draw = [](QPainter& p) {
        GdiCanvas c(p);
        c.FillRect({-5, 3, 17, 30}, kRed);
        c.FillRect({30, 30, 45, 45}, kBlue);
        c.Line({1, 1}, {38, 9}, 0xFFFFFF);
        c.Line({39, 39}, {-4, 20}, 0xFF00FF);
        c.Line({-300, -100}, {500, 140}, 0x00FF00);
        c.Line({25, 1000}, {5, -700}, 0x00FFFF);
    };
    QImage direct(40, 40, QImage::Format_RGB32);
    QImage shifted(60, 60, QImage::Format_RGB32);
    direct.fill(Qt::black);
    shifted.fill(Qt::black);
    {
        QPainter p(&direct);
        draw(p);
    }
    QPainter p(&shifted);
    p.setClipRect(QRect(10, 10, 40, 40));
    p.translate(10, 10);
    draw(p);
    p.end();
    EXPECT_EQ(shifted.copy(10, 10, 40, 40), direct);
}
