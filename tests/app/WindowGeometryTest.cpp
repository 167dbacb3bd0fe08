#include "app/WindowGeometry.h"
#include "app/DemoMotion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vanemark;

namespace {
const ScreenRect kDesktop{0, 0, 1920, 1080};
}

// The running window is checked against the one offscreen screen; here the cases it cannot show.
TEST(WindowGeometry, PlacementPullsBackOnlyAtRightAndBottom)
{
    // A size from the layout that is too small or negative never hides the window.
    EXPECT_EQ(PlaceWindow(10, 10, 4, 2, 16, 14, kDesktop), (ScreenRect{10, 10, 26, 24}));
    EXPECT_EQ(PlaceWindow(100, 100, -40, 20, 16, 14, kDesktop), (ScreenRect{60, 100, 100, 120}));
    // A second screen to the right is tested against its own edges.
    EXPECT_EQ(PlaceWindow(3800, 0, 140, 140, 16, 14, ScreenRect{1920, 0, 3840, 1200}),
              (ScreenRect{3700, 0, 3840, 140}));
}

TEST(WindowGeometry, DragSnapsBackFromBeyondTheEdge)
{
    const ScreenRect win{500, 500, 640, 640};
    const ScreenPoint offset{30, 20};
    // Past the edge by less than the snap distance also snaps back.
    EXPECT_EQ(DragWindow(win, {25, 220}, offset, kDesktop).left, 0);
    EXPECT_EQ(DragWindow(win, {330, 15}, offset, kDesktop).top, 0);
    // The size never changes; on a screen barely wider than the window, left and top win.
    const auto r = DragWindow(win, {1895, 1075}, offset, kDesktop);
    EXPECT_EQ((std::pair{r.Width(), r.Height()}), (std::pair{140, 140}));
    EXPECT_EQ(DragWindow({0, 0, 140, 140}, {5, 3}, {0, 0}, {0, 0, 150, 145}), (ScreenRect{0, 0, 140, 140}));
}

// The first two cycles' values are checked on the running window; here the clock that feeds them.
TEST(DemoMotion, CycleClockAndPhase)
{
    DemoMotion demo;
    CycleClock clock;
    EXPECT_EQ(clock.Begin(1000), 0u);
    demo.Step(0);
    clock.End(1000);
    const std::uint32_t elapsed = clock.Begin(1500);
    EXPECT_EQ(elapsed, 500u);
    EXPECT_DOUBLE_EQ(demo.Step(elapsed).speed, 500.0);
    EXPECT_NEAR(demo.Phase(), 0.2, 1e-12);

    // The 32-bit millisecond clock wraps after about 49.7 days.
    CycleClock wrap;
    wrap.End(0xFFFFFFF0u);
    EXPECT_EQ(wrap.Begin(0x10u), 0x20u);
}
