#pragma once

#include <array>
#include <cstddef>
#include <limits>

namespace vanemark {

// The seven bars, in the order they are read from the layout and drawn.
enum BarIndex : std::size_t { PowerBar = 0, PropBar, RudderBar, BrakesBar, ATrimBar, ETrimBar, RTrimBar, BarCount };

// Everything the panel shows that changes from cycle to cycle. A cycle
// produces one, the panel takes one; nothing else writes shown values.
struct PanelValues {
    double speed = 0.0;  // km/h
    double flaps = -1.0; // -1 retracted ... 1 fully extended
    double bank = 0.0;   // degrees
    double pitch = 0.0;  // degrees
    double stickX = 0.0; // -1 ... 1
    double stickY = 0.0; // -1 ... 1, positive downwards
    std::array<double, BarCount> bars{};

    friend bool operator==(const PanelValues&, const PanelValues&) = default;
};

// Where the pilot's hand holds the controls, drawn beside the simulator's
// values: a ring in the stick circle, a thin tick across each bar. NaN is
// no mark. The gap between a mark and its value is the curve, dead zone or
// trim the simulator applies.
struct HandMarks {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    double stickX = kNone; // the ring needs both
    double stickY = kNone;
    std::array<double, BarCount> bars{kNone, kNone, kNone, kNone, kNone, kNone, kNone};

    bool Any() const;
    // NaN equals NaN here: two frames without marks are the same picture.
    friend bool operator==(const HandMarks& a, const HandMarks& b);
};

} // namespace vanemark
