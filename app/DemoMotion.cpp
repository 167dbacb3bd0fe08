#include "app/DemoMotion.h"

#include <cmath>

namespace vanemark {

DemoFrame DemoMotion::Step(std::uint32_t msSincePreviousCycle)
{
    const double c = std::cos(phase);
    phase += kPhaseStep;
    DemoFrame f;
    f.speed = static_cast<double>(msSincePreviousCycle);
    f.power = c;
    f.flaps = c;
    f.rudder = c;
    f.prop = c;
    f.bank = 180.0 * c;
    f.pitch = 90.0 * c;
    f.stickX = c;
    f.stickY = 1.0 - c;
    f.aileronTrim = c;
    f.elevatorTrim = c;
    f.rudderTrim = c;
    return f;
}

std::uint32_t CycleClock::Begin(std::uint32_t now)
{
    if (previous == 0)
        previous = now;
    return now - previous;
}

} // namespace vanemark
