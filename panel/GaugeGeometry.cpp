#include "panel/GaugeGeometry.h"

#include <cmath>
#include <numbers>

namespace vanemark {

namespace {

// The turn is taken out exactly before converting: sine and cosine of a huge
// argument are computed differently by each C library, so a wild value from
// the simulator would draw differently on Windows and Linux.
double Radians(double degrees)
{
    return std::fmod(degrees, 360.0) * (std::numbers::pi / 180.0);
}
// The lengths of the pitch triangle and the bank line are fixed pixel sizes,
// independent of the stick square, so that the same attitude always looks the same.
constexpr double kPitchHalfBase = 50.0;
constexpr double kBankLineLength = 25.0;

PixelPoint Offset(PixelPoint origin, double dx, double dy)
{
    return {origin.x + TruncToPixel(dx), origin.y + TruncToPixel(dy)};
}

} // namespace

int TruncToPixel(double v)
{
    // A value from the simulator can be anything, NaN included; converting an
    // out-of-range double to int is undefined, so clamp to far outside any
    // surface but well inside int, leaving room for the additions that follow.
    constexpr double kLimit = 1 << 24;
    if (std::isnan(v)) {
        return 0;
    }
    if (v > kLimit) {
        return static_cast<int>(kLimit);
    }
    if (v < -kLimit) {
        return -static_cast<int>(kLimit);
    }
    return static_cast<int>(v);
}

FlapsGeometry ComputeFlaps(const PanelLayout& layout, double flaps)
{
    FlapsGeometry g;
    const PixelRect& d = layout.flapsDial;
    g.dial = d;
    g.centre = {(d.left + d.right) / 2, (d.top + d.bottom) / 2};
    g.radius = d.right - g.centre.x;
    const double r = g.radius;

    const double marks[] = {layout.takeoffAngle, layout.combatAngle, layout.landingAngle};
    for (std::size_t i = 0; i < g.markEnds.size(); ++i) {
        const double a = Radians(marks[i]);
        g.markEnds[i] = Offset(g.centre, r * std::cos(a), r * std::sin(a));
    }

    const double extended = (flaps + 1.0) * 0.5;
    const double b = Radians(layout.fullFlapAngle * extended);
    g.firstRadial = Offset(g.centre, r * std::cos(b), r * std::sin(b));
    // Both radials on the horizontal would make the pie a full circle.
    if (g.firstRadial.y == g.centre.y) {
        ++g.firstRadial.y;
    }
    g.secondRadial = {d.right, g.centre.y};
    return g;
}

PitchGeometry ComputePitch(const PixelRect& stickSquare, double pitchDegrees, double bankDegrees)
{
    PitchGeometry g;
    g.pitchUp = pitchDegrees > 0.0;
    g.centre = {(stickSquare.left + stickSquare.right) / 2, (stickSquare.top + stickSquare.bottom) / 2};
    const double b = Radians(bankDegrees);
    const double p = Radians(pitchDegrees);
    const int kc = TruncToPixel(kPitchHalfBase * std::cos(b));
    const int ks = TruncToPixel(kPitchHalfBase * std::sin(b));
    g.triangle[0] = {g.centre.x - kc, g.centre.y + ks};
    g.triangle[1] = {g.centre.x + kc, g.centre.y - ks};
    g.triangle[2] = {g.centre.x - TruncToPixel(kPitchHalfBase * std::sin(p) * std::sin(b)),
                     g.centre.y - TruncToPixel(kPitchHalfBase * std::sin(p) * std::cos(b))};
    g.bankLineEnd = {g.centre.x - TruncToPixel(kBankLineLength * std::sin(b)),
                     g.centre.y - TruncToPixel(kBankLineLength * std::cos(b))};
    return g;
}

StickGeometry ComputeStick(const PixelRect& s, double stickX, double stickY)
{
    StickGeometry g;
    g.outerCircle = {s.left, s.top, s.right + 1, s.bottom + 1};
    const int q = (s.right + 1 - s.left) / 4;
    g.innerCircle = {s.left + q, s.top + q, s.left + 3 * q + 1, s.top + 3 * q + 1};
    g.centre = {(g.innerCircle.left + g.innerCircle.right) / 2, (g.innerCircle.top + g.innerCircle.bottom) / 2};
    g.centreMark = {g.centre.x - 3, g.centre.y - 3, g.centre.x + 4, g.centre.y + 4};

    // The radius is an integer half, like every half in the drawing rules.
    const int halfSide = (s.right - s.left) / 2;
    const double r = halfSide;
    double dx = r * stickX;
    double dy = r * stickY;
    const double d = std::sqrt(dx * dx + dy * dy);
    // Beyond full deflection the knob stays on the circle.
    if (d > r) {
        dx *= r / d;
        dy *= r / d;
    }
    g.knob = Offset(g.centre, dx, dy);
    g.knobCircle = {g.knob.x - 2, g.knob.y - 2, g.knob.x + 3, g.knob.y + 3};
    return g;
}

PixelRect ComputeStickRing(const PixelRect& stickSquare, double stickX, double stickY)
{
    // The knob reaches two pixels from its centre; five leave background between knob and ring all round.
    constexpr int kRadius = 5;
    const PixelPoint at = ComputeStick(stickSquare, stickX, stickY).knob;
    return {at.x - kRadius, at.y - kRadius, at.x + kRadius + 1, at.y + kRadius + 1};
}

TitleGeometry ComputeTitle(int clientWidth, int lineHeight, int spaceWidth)
{
    TitleGeometry g;
    g.bar = {0, 0, clientWidth, lineHeight};
    g.text = {spaceWidth / 2, 0, clientWidth - (lineHeight + spaceWidth / 2), lineHeight};
    PixelRect box{g.bar.left + 2, g.bar.top + 2, g.bar.right - 2, g.bar.bottom - 2};
    box.right -= 1;
    box.left = box.right - (box.bottom - box.top);
    g.closeBox = box;
    return g;
}

PixelRect CloseHitRect(const PixelRect& windowRect, int lineHeight)
{
    PixelRect box = windowRect;
    box.bottom = box.top + lineHeight;
    box.left += 2;
    box.top += 2;
    box.right -= 2;
    box.bottom -= 2;
    box.left = box.right - (box.bottom - box.top);
    return box;
}

} // namespace vanemark
