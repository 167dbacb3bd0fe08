#include "panel/GaugeGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

using namespace vanemark;

// The rendered pictures pin the common cases; these are the corners a picture hardly shows.
TEST(GaugeGeometry, StickPitchAndFlapsEdgeCases)
{
    const PixelRect square{0, 0, 100, 100};
    EXPECT_EQ(ComputeStick(square, -0.5, 0.25).knob, (PixelPoint{25, 62}));
    const StickGeometry far = ComputeStick(square, 0.0, -7.0);
    EXPECT_EQ(far.knob.x, 50);
    EXPECT_NEAR(far.knob.y, 0, 1);

    // 50 x sin 30 degrees is a hair below 25 in doubles, so it truncates to 24.
    const PixelRect stick{20, 5, 120, 105};
    EXPECT_EQ(ComputePitch(stick, 30.0, 0.0).triangle[2], (PixelPoint{70, 31}));
    EXPECT_EQ(ComputePitch(stick, -30.0, 0.0).triangle[2], (PixelPoint{70, 79}));
    EXPECT_TRUE(ComputePitch(stick, 0.001, 0.0).pitchUp);
    EXPECT_FALSE(ComputePitch(stick, 0.0, 0.0).pitchUp);

    const PanelLayout layout; // centre (100, 5), radius 25, full 60
    // Retracted, the first radial is pushed one pixel below the centre line
    // so that the pie is a sliver and not a full circle.
    EXPECT_EQ(ComputeFlaps(layout, -1.0).firstRadial, (PixelPoint{125, 6}));
    EXPECT_EQ(ComputeFlaps(layout, -1.0).secondRadial, (PixelPoint{125, 5}));
    EXPECT_EQ(ComputeFlaps(layout, 0.0).firstRadial, (PixelPoint{121, 17}));
    // Past full scale the wedge keeps turning.
    EXPECT_EQ(ComputeFlaps(layout, 3.0).firstRadial, (PixelPoint{88, 26}));
}

// A value from the network can be anything; pixels saturate instead of overflowing.
TEST(GaugeGeometry, TruncationSaturates)
{
    EXPECT_EQ(TruncToPixel(35.99), 35);
    EXPECT_EQ(TruncToPixel(-35.99), -35);
    EXPECT_EQ(TruncToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncToPixel(1e300), 1 << 24);
    EXPECT_EQ(TruncToPixel(-1e300), -(1 << 24));
}
