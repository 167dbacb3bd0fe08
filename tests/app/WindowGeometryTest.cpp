#include "app/WindowGeometry.h"
#include "app/DemoMotion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vanemark;

namespace {
const ScreenRect kDesktop{0, 0, 1920, 1080};
}

TEST(WindowGeometry, PlacementPullsBackOnlyAtRightAndBottom)
{
    EXPECT_EQ(PlaceWindow(0, 0, 140, 140, 16, 14, kDesktop), (ScreenRect{0, 0, 140, 140}));
    EXPECT_EQ(PlaceWindow(5000, 20, 140, 140, 16, 14, kDesktop), (ScreenRect{1780, 20, 1920, 160}));
    EXPECT_EQ(PlaceWindow(-50, -30, 140, 140, 16, 14, kDesktop), (ScreenRect{-50, -30, 90, 110}));
    EXPECT_EQ(PlaceWindow(100, 1000, 278, 82, 16, 14, kDesktop), (ScreenRect{100, 998, 378, 1080}));
    // A size from the layout that is too small or negative never hides the window.
    EXPECT_EQ(PlaceWindow(10, 10, 4, 2, 16, 14, kDesktop), (ScreenRect{10, 10, 26, 24}));
    EXPECT_EQ(PlaceWindow(100, 100, -40, 20, 16, 14, kDesktop), (ScreenRect{60, 100, 100, 120}));
    // A second screen to the right is tested against its own edges.
    EXPECT_EQ(PlaceWindow(3800, 0, 140, 140, 16, 14, ScreenRect{1920, 0, 3840, 1200}),
              (ScreenRect{3700, 0, 3840, 140}));
}

TEST(WindowGeometry, DragFollowsTheCursorAndSnapsBelowTenPixels)
{
    const ScreenRect win{500, 500, 640, 640};
    const ScreenPoint offset{30, 20};
    // Free movement keeps the grab point under the cursor.
    EXPECT_EQ(DragWindow(win, {330, 220}, offset, kDesktop), (ScreenRect{300, 200, 440, 340}));
    // 9 px from the left edge snaps, 10 px does not.
    EXPECT_EQ(DragWindow(win, {39, 220}, offset, kDesktop).left, 0);
    EXPECT_EQ(DragWindow(win, {40, 220}, offset, kDesktop).left, 10);
    // Past the edge by less than the snap distance also snaps back.
    EXPECT_EQ(DragWindow(win, {25, 220}, offset, kDesktop).left, 0);
    // Right edge at 1911 (9 px off) snaps to 1920; at 1910 it stays.
    EXPECT_EQ(DragWindow(win, {1801, 220}, offset, kDesktop).right, 1920);
    EXPECT_EQ(DragWindow(win, {1800, 220}, offset, kDesktop).right, 1910);
    EXPECT_EQ(DragWindow(win, {330, 29}, offset, kDesktop).top, 0);
    EXPECT_EQ(DragWindow(win, {330, 940 + 20 - 5}, offset, kDesktop).bottom, 1080);
    // The size never changes.
    const auto r = DragWindow(win, {1895, 1075}, offset, kDesktop);
    EXPECT_EQ(r.Width(), 140);
    EXPECT_EQ(r.Height(), 140);
}

TEST(WindowGeometry, LeftAndTopWinOnAScreenBarelyWiderThanTheWindow)
{
    const ScreenRect narrow{0, 0, 150, 145};
    const auto r = DragWindow({0, 0, 140, 140}, {5, 3}, {0, 0}, narrow);
    EXPECT_EQ(r, (ScreenRect{0, 0, 140, 140}));
}

TEST(DemoMotion, FirstTwoCyclesAndTheCycleClock)
{
    DemoMotion demo;
    CycleClock clock;
    EXPECT_EQ(clock.Begin(1000), 0u);
    auto f = demo.Step(0);
    clock.End(1000);
    EXPECT_DOUBLE_EQ(f.stickX, 1.0);
    EXPECT_DOUBLE_EQ(f.stickY, 0.0);
    EXPECT_DOUBLE_EQ(f.bank, 180.0);
    EXPECT_DOUBLE_EQ(f.pitch, 90.0);
    EXPECT_DOUBLE_EQ(f.flaps, 1.0);
    EXPECT_DOUBLE_EQ(f.power, 1.0);
    EXPECT_DOUBLE_EQ(f.rudderTrim, 1.0);
    EXPECT_DOUBLE_EQ(f.speed, 0.0);

    const std::uint32_t elapsed = clock.Begin(1500);
    EXPECT_EQ(elapsed, 500u);
    f = demo.Step(elapsed);
    const double c = std::cos(0.1);
    EXPECT_DOUBLE_EQ(f.stickX, c);
    EXPECT_DOUBLE_EQ(f.stickY, 1.0 - c);
    EXPECT_DOUBLE_EQ(f.bank, 180.0 * c);
    EXPECT_DOUBLE_EQ(f.pitch, 90.0 * c);
    EXPECT_DOUBLE_EQ(f.elevatorTrim, c);
    EXPECT_DOUBLE_EQ(f.speed, 500.0);
    EXPECT_NEAR(demo.Phase(), 0.2, 1e-12);

    // The 32-bit millisecond clock wraps after about 49.7 days.
    CycleClock wrap;
    wrap.End(0xFFFFFFF0u);
    EXPECT_EQ(wrap.Begin(0x10u), 0x20u);
}
