#include "devicelink/LinkMonitor.h"

#include <algorithm>

namespace vanemark {

void LinkMonitor::Reset(Clock::time_point now)
{
    counter.store(-1);
    phase = 0;
    replied.store(false);
    resetAt.store(Ticks(now));
    for (Bucket& bucket : buckets) {
        bucket.second.store(-1);
        bucket.replies.store(0);
    }
}

std::int64_t LinkMonitor::SecondOf(std::int64_t ticks)
{
    return std::chrono::duration_cast<std::chrono::seconds>(Clock::duration(ticks)).count();
}

bool LinkMonitor::OnReply(Clock::time_point now)
{
    lastReply.store(Ticks(now));
    replied.store(true);
    const std::int64_t second = SecondOf(Ticks(now));
    Bucket& bucket = buckets[static_cast<std::size_t>(second) % buckets.size()];
    if (bucket.second.load() != second) {
        bucket.replies.store(0);
        bucket.second.store(second);
    }
    bucket.replies.fetch_add(1);

    const std::int32_t level = counter.load();
    if (heartbeatId.load() != 0 || level >= 4) {
        return false;
    }
    counter.store(level + 1);
    return level + 1 == 1;
}

bool LinkMonitor::OnHeartbeat()
{
    const std::int32_t level = counter.load();
    if (level > 4) {
        return false;
    }
    // Coming up from -1 the counter passes 0 and goes on to 1.
    counter.store(level + 1 == 0 ? 1 : level + 1);
    return level + 1 == 0;
}

LinkMonitor::Beat LinkMonitor::OnTick()
{
    Beat beat;
    if (heartbeatId.load() == 0) {
        return beat;
    }
    if (phase == 0 || phase >= heartbeatTicks.load()) {
        phase = 0;
        beat.request = true;
        const std::int32_t level = counter.load();
        if (level >= 0) {
            counter.store(level - 1);
            beat.lost = level - 1 == -1;
        }
    }
    phase = (phase + 1) % heartbeatTicks.load();
    return beat;
}

LinkMonitor::Clock::duration LinkMonitor::SinceReset(Clock::time_point now) const
{
    return now - Clock::time_point(Clock::duration(resetAt.load()));
}

std::optional<LinkMonitor::Clock::duration> LinkMonitor::SinceLastReply(Clock::time_point now) const
{
    if (!replied.load()) {
        return std::nullopt;
    }
    return now - Clock::time_point(Clock::duration(lastReply.load()));
}

double LinkMonitor::RepliesPerSecond(Clock::time_point now) const
{
    const std::int64_t current = SecondOf(Ticks(now));
    std::uint32_t replies = 0;
    for (const Bucket& bucket : buckets) {
        const std::int64_t second = bucket.second.load();
        if (second < current && second >= current - kRateSeconds) {
            replies += bucket.replies.load();
        }
    }
    // Only the part of the window since Reset counts, so a young session is
    // not reported slower than it runs.
    using Seconds = std::chrono::duration<double>;
    const Seconds windowEnd = std::chrono::seconds(current);
    const Seconds windowStart =
        std::max<Seconds>(windowEnd - std::chrono::seconds(kRateSeconds), Clock::duration(resetAt.load()));
    const double seconds = (windowEnd - windowStart).count();
    return seconds > 0.0 ? replies / seconds : 0.0;
}

} // namespace vanemark
