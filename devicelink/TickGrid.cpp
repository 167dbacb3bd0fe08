#include "devicelink/TickGrid.h"

namespace vanemark {

TickGrid::TickGrid(Clock::time_point gridOrigin, Clock::duration tickInterval)
    : origin(gridOrigin), interval(tickInterval.count() > 0 ? tickInterval : std::chrono::milliseconds(1))
{
}

std::uint64_t TickGrid::Passed(Clock::time_point now) const
{
    return now <= origin ? 0 : static_cast<std::uint64_t>((now - origin) / interval);
}

void TickGrid::DropMissedAfter(std::uint64_t tick, Clock::time_point now)
{
    const std::uint64_t passed = Passed(now);
    if (passed > tick) {
        origin += interval * (passed - tick);
    }
}

} // namespace vanemark
