#pragma once

#include <array>
#include <cstddef>

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

} // namespace vanemark
