#pragma once

#include "config/HandBindings.h"
#include "joystick/JoystickSource.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vanemark {

// "Move the control now": watches every axis of every device for a while;
// the axis whose position spread furthest (its highest reading less its
// lowest) is the one the pilot moved. A device plugged in meanwhile takes
// part from its first reading.
class AxisLearner {
public:
    static constexpr std::uint32_t kWindowMs = 3000;
    // Less than this spread (of 65535) is a hand resting on a stick, not a move.
    static constexpr std::int32_t kLeastSpread = 8192;

    explicit AxisLearner(std::uint32_t startMs) : start(startMs) {}

    // One look at the source (already updated) at `nowMs`.
    void Watch(const JoystickSource& source, std::uint32_t nowMs);
    bool Done(std::uint32_t nowMs) const { return nowMs - start >= kWindowMs; }
    // The axis that moved furthest so far, if any moved enough. Its invert
    // is left off.
    std::optional<settings::AxisBinding> Winner() const;

private:
    struct Seen {
        settings::DeviceId device;
        std::int32_t axis = 0;
        std::int32_t low = 0;
        std::int32_t high = 0;
    };
    std::uint32_t start;
    std::vector<Seen> seen;
};

} // namespace vanemark
