#include "devicelink/PollSchedule.h"

#include "core/NumberText.h"
#include "devicelink/RequestQueue.h"

#include <algorithm>
#include <string>

namespace vanemark {

bool PollSchedule::Subscribe(DeviceLinkKey& key, int periodMs)
{
    key.poll.reload.store(Ticks(periodMs));
    return !key.poll.polled.exchange(true);
}

int PollSchedule::SetInterval(int periodMs)
{
    const std::int32_t ticks = Ticks(periodMs);
    int count = 0;
    for (DeviceLinkKey& key : table.Keys()) {
        if (key.poll.polled.load()) {
            key.poll.reload.store(ticks);
            key.poll.countdown.store(ticks);
            ++count;
        }
    }
    return count;
}

std::int32_t PollSchedule::TicksToNextPoll() const
{
    std::int32_t next = 0;
    for (const DeviceLinkKey& key : table.Keys()) {
        if (key.poll.polled.load(std::memory_order_relaxed)) {
            const std::int32_t ticks = std::max(key.poll.countdown.load(std::memory_order_relaxed), 1);
            next = next == 0 ? ticks : std::min(next, ticks);
        }
    }
    return next;
}

int PollSchedule::BuildPoll(std::span<DeviceLinkKey* const> extra, std::vector<DeviceLinkKey*>* asked)
{
    std::string command(1, 'R');
    for (DeviceLinkKey& key : table.Keys()) {
        if (!key.poll.polled.load(std::memory_order_relaxed)) {
            continue;
        }
        const std::int32_t countdown = key.poll.countdown.load(std::memory_order_relaxed);
        if (countdown >= 2) {
            key.poll.countdown.store(countdown - 1, std::memory_order_relaxed);
            continue;
        }
        key.poll.countdown.store(key.poll.reload.load(std::memory_order_relaxed), std::memory_order_relaxed);
        if (asked != nullptr) {
            asked->push_back(&key);
        }
        // An indexed key is a command of its own: "/id\indexR".
        if (key.IsIndexed() && command.back() != 'R') {
            command.push_back('R');
        }
        command.push_back('/');
        command.append(FormatInt(key.Id()));
        if (key.IsIndexed()) {
            command.push_back('\\');
            command.append(FormatInt(key.Index()));
            command.push_back('R');
        }
        if (command.size() > kPollSplit) {
            if (command.back() == 'R') {
                command.pop_back();
            }
            queue.Send(command, true);
            command.assign(1, 'R');
        }
    }
    if (command.size() > 1 && command.back() == 'R') {
        command.pop_back();
    }
    for (DeviceLinkKey* key : extra) {
        if (command.back() != 'R') {
            command.push_back('/');
        }
        command.append(FormatInt(key->Id()));
        if (asked != nullptr) {
            asked->push_back(key);
        }
    }
    if (command.size() > 1) {
        queue.Send(command, false);
    }
    return queue.Flush();
}

} // namespace vanemark
