#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>

namespace vanemark {

// Whether the simulator is there. With a heartbeat key, each answer for it
// raises the link counter (to at most 5) and every heartbeat period lowers
// it by one: the link comes with the first answer and goes when the counter
// falls to -1. Without one, any two replies make a link that never goes.
// The counters belong to the tick thread; the owner only reads them.
// It also keeps what a pilot asks when nothing shows: how long since the
// last reply and how many arrive per second.
class LinkMonitor {
public:
    using Clock = std::chrono::steady_clock;
    // The shortest heartbeat period: the link is watched at least this often.
    static constexpr std::int32_t kMinHeartbeatTicks = 4;
    // Replies per second are averaged over this many whole seconds.
    static constexpr int kRateSeconds = 3;

    // A new session starts disconnected, without replies, at `now`.
    void Reset(Clock::time_point now = Clock::now());
    void SetHeartbeatId(std::int32_t id) { heartbeatId.store(id); }
    // Ticks of one heartbeat period, at least kMinHeartbeatTicks; a slower
    // poll needs no faster heartbeat, whose read rides along with it.
    void SetHeartbeatTicks(std::int32_t ticks) { heartbeatTicks.store(std::max(ticks, kMinHeartbeatTicks)); }
    std::int32_t HeartbeatTicks() const { return heartbeatTicks.load(); }
    std::int32_t HeartbeatId() const { return heartbeatId.load(); }
    bool IsConnected() const { return counter.load() >= 0; }
    std::int32_t Counter() const { return counter.load(); }

    // An "A" datagram arrived; true when it made the link.
    bool OnReply(Clock::time_point now = Clock::now());
    // A field of the heartbeat key arrived; true when it made the link.
    bool OnHeartbeat();

    struct Beat {
        bool request = false; // ask for the heartbeat key
        bool lost = false;    // the link has just gone
    };
    // Once per tick.
    Beat OnTick();
    // Tick thread: OnTicks until the one that asks for the heartbeat (1: the
    // next); 0 without a heartbeat.
    std::int32_t TicksToBeat() const
    {
        const std::int32_t ticks = heartbeatTicks.load();
        return heartbeatId.load() == 0 ? 0 : (phase == 0 || phase >= ticks ? 1 : ticks - phase + 1);
    }

    // Owner's side; safe while the tick thread runs.
    Clock::duration SinceReset(Clock::time_point now = Clock::now()) const;
    // nullopt before the first reply since Reset.
    std::optional<Clock::duration> SinceLastReply(Clock::time_point now = Clock::now()) const;
    // Over the kRateSeconds whole seconds before the current one.
    double RepliesPerSecond(Clock::time_point now = Clock::now()) const;

private:
    static std::int64_t Ticks(Clock::time_point at) { return at.time_since_epoch().count(); }
    static std::int64_t SecondOf(std::int64_t ticks);

    // One counter per second of the clock, reused round robin; the tick
    // thread starts a bucket anew when its second comes round again.
    struct Bucket {
        std::atomic<std::int64_t> second{-1};
        std::atomic<std::uint32_t> replies{0};
    };
    std::array<Bucket, kRateSeconds + 2> buckets;
    std::atomic<std::int64_t> resetAt{0};
    std::atomic<std::int64_t> lastReply{0};
    std::atomic<bool> replied{false};

    std::atomic<std::int32_t> heartbeatId{0};
    std::atomic<std::int32_t> counter{-1};
    std::atomic<std::int32_t> heartbeatTicks{kMinHeartbeatTicks};
    std::int32_t phase = 0;
};

} // namespace vanemark
