#pragma once

#include "panel/BarSettings.h"

#include <string_view>

class QPainter;

namespace vanemark {

class ProfileFile;

// What one bar draws: the filled part (empty when nothing is filled), the
// frame, and for the centred style the zero line.
struct BarGeometry {
    bool visible = false;
    PixelRect fill; // may reach beyond the frame for values past full scale
    PixelRect frame;
    bool hasZeroLine = false;
    PixelPoint zeroFrom; // the line excludes zeroTo, as every line here does
    PixelPoint zeroTo;
    int penWidth = 1;
    friend bool operator==(const BarGeometry&, const BarGeometry&) = default;
};

// A rectangular gauge: a frame and a part filled according to a value. The
// value is the panel's and is passed in: a bar only knows its own layout.
class BarElement {
public:
    BarElement() = default;
    explicit BarElement(const BarSettings& settings) : settings(settings) {}
    BarElement(const BarElement&) = default;
    BarElement& operator=(const BarElement&) = default;
    virtual ~BarElement() = default;

    // Full style: (value + 1) / 2; centred style: the value. Not clamped.
    virtual double GetFraction(double value) const;
    // Reads one bar section; the four fallbacks give "top" and "size" when absent. Returns 0.
    virtual int LoadSection(ProfileFile& profile, std::string_view section, int defaultLeft, int defaultTop,
                            int defaultWidth, int defaultHeight);
    // Draws into the painter and leaves its pen and brush as it found them.
    virtual void Draw(QPainter& painter, double value) const;

    // The rectangles and line that Draw paints at this value.
    BarGeometry Geometry(double value) const;
    // The hand's tick at this value (ComputeBarTick); empty for no finite value or a hidden bar.
    PixelRect Tick(double value) const;
    // The tick in the frame's colour, and in `overFill` where it crosses the
    // fill that `shownValue` gives, so that it shows on both. Leaves the
    // painter's pen and brush alone.
    void DrawTick(QPainter& painter, double handValue, double shownValue, Colour overFill) const;

    const BarSettings& Settings() const { return settings; }
    // Fill and frame alike: the panel shows every bar in one colour.
    void SetColour(Colour colour);

private:
    BarSettings settings;
};

// Geometry of a bar with the given settings at a given fraction (GetFraction's result).
BarGeometry ComputeBarGeometry(const BarSettings& settings, double fraction);

// The tick across a bar that marks where the pilot's hand holds the control:
// one pixel thick, on the row (or column) of the fill's outermost pixel at this
// fraction, or where nothing would be filled, on the first pixel filling takes
// (a centred bar's zero line). It reaches past the frame on both sides, where
// it shows even over a fill of the frame's colour. Empty for a fraction that
// is not finite or a bar that is not shown.
PixelRect ComputeBarTick(const BarSettings& settings, double fraction);

} // namespace vanemark
