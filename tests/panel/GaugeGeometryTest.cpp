#include "panel/GaugeGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vanemark;

TEST(StickGeometry, KnobFollowsTheStickAndStaysOnTheCircle)
{
    const PixelRect square{0, 0, 100, 100};
    const StickGeometry centred = ComputeStick(square, 0.0, 0.0);
    EXPECT_EQ(centred.centre, (PixelPoint{50, 50}));
    EXPECT_EQ(centred.outerCircle, (PixelRect{0, 0, 101, 101}));
    EXPECT_EQ(centred.innerCircle, (PixelRect{25, 25, 76, 76}));
    EXPECT_EQ(centred.centreMark, (PixelRect{47, 47, 54, 54}));
    EXPECT_EQ(centred.knob, centred.centre);

    // (1, 1) lies beyond the circle and is pulled back onto it at 45 degrees.
    const StickGeometry corner = ComputeStick(square, 1.0, 1.0);
    EXPECT_EQ(corner.knob, (PixelPoint{85, 85}));
    EXPECT_EQ(corner.knobCircle, (PixelRect{83, 83, 88, 88}));

    const StickGeometry inside = ComputeStick(square, -0.5, 0.25);
    EXPECT_EQ(inside.knob, (PixelPoint{25, 62}));

    const StickGeometry far = ComputeStick(square, 0.0, -7.0);
    EXPECT_EQ(far.knob.x, 50);
    EXPECT_NEAR(far.knob.y, 0, 1);

    // Garbage from the network must not crash the drawing.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const StickGeometry garbage = ComputeStick(square, nan, std::numeric_limits<double>::infinity());
    EXPECT_GE(garbage.knob.x, -1000);
}

TEST(PitchGeometry, TriangleColourBaseAndApex)
{
    const PixelRect square{20, 5, 120, 105};
    const PitchGeometry level = ComputePitch(square, 0.0, 0.0);
    EXPECT_FALSE(level.pitchUp);
    EXPECT_EQ(level.centre, (PixelPoint{70, 55}));
    EXPECT_EQ(level.triangle[0], (PixelPoint{20, 55}));
    EXPECT_EQ(level.triangle[1], (PixelPoint{120, 55}));
    EXPECT_EQ(level.triangle[2], (PixelPoint{70, 55})); // apex on the base
    EXPECT_EQ(level.bankLineEnd, (PixelPoint{70, 30}));

    // 50 x sin 30 degrees is a hair below 25 in doubles, so it truncates to 24.
    const PitchGeometry up = ComputePitch(square, 30.0, 0.0);
    EXPECT_TRUE(up.pitchUp);
    EXPECT_EQ(up.triangle[2], (PixelPoint{70, 31}));
    const PitchGeometry down = ComputePitch(square, -30.0, 0.0);
    EXPECT_FALSE(down.pitchUp);
    EXPECT_EQ(down.triangle[2], (PixelPoint{70, 79}));
    EXPECT_TRUE(ComputePitch(square, 0.001, 0.0).pitchUp);

    // Banked 90 degrees the base stands upright and the bank line points left.
    const PitchGeometry banked = ComputePitch(square, 30.0, 90.0);
    EXPECT_EQ(banked.triangle[0], (PixelPoint{70, 105}));
    EXPECT_EQ(banked.triangle[1], (PixelPoint{70, 5}));
    EXPECT_EQ(banked.triangle[2], (PixelPoint{46, 55}));
    EXPECT_EQ(banked.bankLineEnd, (PixelPoint{45, 55}));
}

TEST(FlapsGeometry, MarksAndWedge)
{
    const PanelLayout layout; // centre (100, 5), radius 25, full 60, marks at 18, 30 and 60 degrees
    const FlapsGeometry up = ComputeFlaps(layout, -1.0);
    EXPECT_EQ(up.centre, (PixelPoint{100, 5}));
    EXPECT_EQ(up.radius, 25);
    EXPECT_EQ(up.markEnds[0], (PixelPoint{123, 12}));
    EXPECT_EQ(up.markEnds[1], (PixelPoint{121, 17}));
    EXPECT_EQ(up.markEnds[2], (PixelPoint{112, 26}));
    // Retracted, the first radial is pushed one pixel below the centre line
    // so that the pie is a sliver and not a full circle.
    EXPECT_EQ(up.firstRadial, (PixelPoint{125, 6}));
    EXPECT_EQ(up.secondRadial, (PixelPoint{125, 5}));

    EXPECT_EQ(ComputeFlaps(layout, 0.0).firstRadial, (PixelPoint{121, 17}));
    EXPECT_EQ(ComputeFlaps(layout, 1.0).firstRadial, (PixelPoint{112, 26}));
    // Past full scale the wedge keeps turning.
    EXPECT_EQ(ComputeFlaps(layout, 3.0).firstRadial, (PixelPoint{88, 26}));
}

TEST(TitleGeometry, BarTextAndCloseBox)
{
    const TitleGeometry title = ComputeTitle(278, 12, 7);
    EXPECT_EQ(title.bar, (PixelRect{0, 0, 278, 12}));
    EXPECT_EQ(title.text, (PixelRect{3, 0, 263, 12}));
    // A square of side line height - 4 whose right edge is 3 pixels from the client's right edge.
    EXPECT_EQ(title.closeBox, (PixelRect{267, 2, 275, 10}));

    const PixelRect hit = CloseHitRect({100, 200, 378, 282}, 12);
    EXPECT_EQ(hit, (PixelRect{368, 202, 376, 210}));
}

TEST(Conversions, TruncationAndSpeedText)
{
    EXPECT_EQ(TruncToPixel(35.99), 35);
    EXPECT_EQ(TruncToPixel(-35.99), -35);
    EXPECT_EQ(TruncToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncToPixel(1e300), 1 << 24);
    EXPECT_EQ(TruncToPixel(-1e300), -(1 << 24));

    EXPECT_EQ(FormatSpeed(123.9), "123 kmh");
    EXPECT_EQ(FormatSpeed(-3.7), "-3 kmh");
    EXPECT_EQ(FormatSpeed(0.0), "0 kmh");
    EXPECT_EQ(FormatSpeed(1e12), "2147483647 kmh");
    EXPECT_EQ(FormatSpeed(std::numeric_limits<double>::quiet_NaN()), "0 kmh");
}
