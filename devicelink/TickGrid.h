#pragma once

#include <chrono>
#include <cstdint>

namespace vanemark {

// The client's tick grid in real time: tick n falls due at origin + n
// intervals. Moments are computed from the origin, never added up, so a
// callback every N ticks keeps its period however late each wake-up is.
class TickGrid {
public:
    using Clock = std::chrono::steady_clock;

    TickGrid(Clock::time_point origin, Clock::duration interval);

    Clock::time_point Moment(std::uint64_t tick) const { return origin + interval * tick; }
    // The last tick whose moment has come by `now`; 0 before the first.
    std::uint64_t Passed(Clock::time_point now) const;
    // Shifts the moments after `tick` by whole intervals so that the next one
    // lies after `now`: the ticks a stall missed are dropped, not made up in
    // a burst.
    void DropMissedAfter(std::uint64_t tick, Clock::time_point now);

private:
    Clock::time_point origin;
    Clock::duration interval;
};

} // namespace vanemark
