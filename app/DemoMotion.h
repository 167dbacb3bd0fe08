#pragma once

#include "panel/PanelValues.h"

#include <cstdint>

namespace vanemark {

// The synthetic motion that lets a layout be tried without the simulator:
// every value swings with the cosine of a phase that advances 0.1 rad per
// cycle, and the speed read-out shows the cycle's own period in ms.
class DemoMotion {
public:
    static constexpr double kPhaseStep = 0.1;

    // Writes one cycle's motion into `values`; the brakes bar is not animated.
    void Step(std::uint32_t msSincePreviousCycle, PanelValues& values);

private:
    double phase = 0.0;
};

// The unsigned 32-bit millisecond clock of the cycle: the first cycle
// measures 0 ms, and differences survive the clock's wrap-around.
class CycleClock {
public:
    // Milliseconds since the previous cycle ended.
    std::uint32_t Begin(std::uint32_t now);
    void End(std::uint32_t now) { previous = now; }
    std::uint32_t Previous() const { return previous; }

private:
    std::uint32_t previous = 0;
};

} // namespace vanemark
