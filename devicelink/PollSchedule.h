#pragma once

#include "devicelink/DeviceLinkKeyTable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vanemark {

class RequestQueue;

// Which keys each tick asks for. Every period is a whole number of 25 ms
// ticks; a key with reload r is in every r-th poll (r of 0 or 1: every tick).
class PollSchedule {
public:
    static constexpr int kTickMs = 25;
    // A poll command grows to just past this many characters before it is sent.
    static constexpr std::size_t kPollSplit = 256;

    static std::int32_t Ticks(int periodMs) { return periodMs / kTickMs; }

    PollSchedule(const DeviceLinkKeyTable& keyTable, RequestQueue& requestQueue) : table(keyTable), queue(requestQueue)
    {
    }

    // New period for the key; true when it was not polled before.
    static bool Subscribe(DeviceLinkKey& key, int periodMs);
    // New period and countdown for every polled key; their number.
    int SetInterval(int periodMs);
    // Requests the due keys (a long poll goes out in pieces at once, the
    // rest with the queued requests) and flushes the queue. `extra` keys
    // (without index) end the last command, so that they cost no datagram
    // of their own; they go out even when no key is due. Every key asked for
    // is added to `asked` when given.
    int BuildPoll(std::span<DeviceLinkKey* const> extra = {}, std::vector<DeviceLinkKey*>* asked = nullptr);
    // Ticks until BuildPoll next requests a key (1: the next call); 0 when
    // no key is polled.
    std::int32_t TicksToNextPoll() const;

private:
    const DeviceLinkKeyTable& table;
    RequestQueue& queue;
};

} // namespace vanemark
