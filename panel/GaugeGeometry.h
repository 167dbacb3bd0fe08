#pragma once

#include "panel/PanelLayout.h"

#include <array>

namespace vanemark {

// Every gauge's points and rectangles as plain functions of (layout, value),
// so tests can check them without pixels and the paint code stays a list of
// draw calls. Rectangles are exclusive at right and bottom; lines exclude
// their end point; ellipse and pie rectangles are the bounding boxes as the
// platform drawing calls take them (the outline stays inside).

struct FlapsGeometry {
    PixelRect dial;
    PixelPoint centre;
    int radius = 0;
    std::array<PixelPoint, 3> markEnds{}; // take-off, combat, landing; each a line from the centre
    PixelPoint firstRadial;               // the pie runs counter-clockwise from here ...
    PixelPoint secondRadial;              // ... to here (the horizontal radius to the right)
    friend bool operator==(const FlapsGeometry&, const FlapsGeometry&) = default;
};
FlapsGeometry ComputeFlaps(const PanelLayout& layout, double flaps);

struct PitchGeometry {
    bool pitchUp = false;                 // selects the pitch-up colour, else the pitch-down colour
    std::array<PixelPoint, 3> triangle{}; // base P1, P2, apex P3
    PixelPoint centre;
    PixelPoint bankLineEnd; // line from centre
    friend bool operator==(const PitchGeometry&, const PitchGeometry&) = default;
};
PitchGeometry ComputePitch(const PixelRect& stickSquare, double pitchDegrees, double bankDegrees);

struct StickGeometry {
    PixelRect outerCircle;
    PixelRect innerCircle; // dotted
    PixelRect centreMark;
    PixelPoint centre;
    PixelPoint knob; // stick line from centre to here
    PixelRect knobCircle;
    friend bool operator==(const StickGeometry&, const StickGeometry&) = default;
};
StickGeometry ComputeStick(const PixelRect& stickSquare, double stickX, double stickY);

// The outline of the ring that marks where the pilot's hand holds the stick:
// centred where ComputeStick puts the knob for the same deflection, clamped
// alike, and wide enough that a knob on the same spot shows inside it.
PixelRect ComputeStickRing(const PixelRect& stickSquare, double stickX, double stickY);

struct TitleGeometry {
    PixelRect bar;
    PixelRect text;
    PixelRect closeBox; // corners of the drawn square: left/top to right/bottom inclusive
};
TitleGeometry ComputeTitle(int clientWidth, int lineHeight, int spaceWidth);

// The close box as the hit test sees it, from the panel's window rectangle in screen coordinates.
PixelRect CloseHitRect(const PixelRect& windowRect, int lineHeight);

// trunc() of the drawing rules: toward zero, saturating instead of overflowing for absurd values.
int TruncToPixel(double v);

} // namespace vanemark
