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

    const BarSettings& Settings() const { return settings; }
    // Fill and frame alike: the panel shows every bar in one colour.
    void SetColour(Colour colour);

private:
    BarSettings settings;
};

// Geometry of a bar with the given settings at a given fraction (GetFraction's result).
BarGeometry ComputeBarGeometry(const BarSettings& settings, double fraction);

} // namespace vanemark
