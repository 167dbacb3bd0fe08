#include "devicelink/LinkMonitor.h"

namespace vanemark {

void LinkMonitor::Reset()
{
    counter.store(-1);
    phase = 0;
}

bool LinkMonitor::OnReply()
{
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
    if (phase == 0) {
        beat.request = true;
        const std::int32_t level = counter.load();
        if (level >= 0) {
            counter.store(level - 1);
            beat.lost = level - 1 == -1;
        }
    }
    phase = (phase + 1) % kHeartbeatTicks;
    return beat;
}

} // namespace vanemark
