#include "app/DemoMotion.h"

#include <cmath>

namespace vanemark {

void DemoMotion::Step(std::uint32_t msSincePreviousCycle, PanelValues& values)
{
    const double c = std::cos(phase);
    phase += kPhaseStep;
    values.speed = static_cast<double>(msSincePreviousCycle);
    values.flaps = c;
    values.bank = 180.0 * c;
    values.pitch = 90.0 * c;
    values.stickX = c;
    values.stickY = 1.0 - c;
    for (const BarIndex bar : {PowerBar, PropBar, RudderBar, ATrimBar, ETrimBar, RTrimBar}) {
        values.bars[bar] = c;
    }
}

std::uint32_t CycleClock::Begin(std::uint32_t now)
{
    if (previous == 0) {
        previous = now;
    }
    return now - previous;
}

} // namespace vanemark
