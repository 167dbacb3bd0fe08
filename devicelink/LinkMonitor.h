#pragma once

#include <atomic>
#include <cstdint>

namespace vanemark {

// Whether the simulator is there. With a heartbeat key, each answer for it
// raises the link counter (to at most 5) and every heartbeat period lowers
// it by one: the link comes with the first answer and goes when the counter
// falls to -1. Without one, any two replies make a link that never goes.
// The counters belong to the tick thread; the owner only reads them.
class LinkMonitor {
public:
    static constexpr std::int32_t kHeartbeatTicks = 4;

    // A new session starts disconnected.
    void Reset();
    void SetHeartbeatId(std::int32_t id) { heartbeatId.store(id); }
    std::int32_t HeartbeatId() const { return heartbeatId.load(); }
    bool IsConnected() const { return counter.load() >= 0; }
    std::int32_t Counter() const { return counter.load(); }

    // An "A" datagram arrived; true when it made the link.
    bool OnReply();
    // A field of the heartbeat key arrived; true when it made the link.
    bool OnHeartbeat();

    struct Beat {
        bool request = false; // ask for the heartbeat key
        bool lost = false;    // the link has just gone
    };
    // Once per tick.
    Beat OnTick();

private:
    std::atomic<std::int32_t> heartbeatId{0};
    std::atomic<std::int32_t> counter{-1};
    std::int32_t phase = 0;
};

} // namespace vanemark
