// The wire side of DeviceLinkClient: request texts, queueing, the poll and
// reply parsing.
#include "devicelink/DeviceLinkClient.h"

#include "devicelink/DeviceLinkSocket.h"
#include "devicelink/ReplyParser.h"

#include <string>

namespace vanemark {

std::string DeviceLinkClient::KeyReadRequest(const DeviceLinkKey& key)
{
    std::string text = "R/" + std::to_string(key.id);
    if (key.IsIndexed()) {
        text += '\\';
        text += std::to_string(key.index);
    }
    return text;
}

int DeviceLinkClient::Send(std::string_view text, bool immediate)
{
    if (text.empty()) {
        return -1;
    }
    std::unique_lock lock(sendLock);
    if (!started.load()) {
        lock.unlock();
        const std::string copy(text);
        Log("Sendto: Not connected to the server. Unable to send '%s'. \n", copy.c_str());
        return -1;
    }
    if (immediate) {
        return SendLocked(text);
    }
    lock.unlock();
    return Queue(text);
}

int DeviceLinkClient::Queue(std::string_view text)
{
    std::unique_lock lock(sendLock);
    if (pending.find(text) != std::string::npos) {
        return 0;
    }
    // The queue keeps its fixed size; a request that does not fit is dropped
    // whole rather than cut, since half a command would ask for the wrong key.
    if (pending.size() + text.size() > kPendingSize - 1) {
        const std::size_t used = pending.size();
        lock.unlock();
        const std::string copy(text);
        Log("Send: request queue full (%zu of %zu bytes used); dropped '%s'.\n", used, kPendingSize - 1, copy.c_str());
        return -1;
    }
    pending += text;
    return 0;
}

// One datagram per command: the text is cut before every "R" but the first.
int DeviceLinkClient::SendLocked(std::string_view text)
{
    int result = 0;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('R', begin + 1);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        int error = 0;
        result = socket->SendTo(text.substr(begin, end - begin), error);
        if (result < 0) {
            const std::string copy(text);
            Log("Error %d of sending %s\n", error, copy.c_str());
            return -1;
        }
        begin = end;
    }
    return result;
}

std::string DeviceLinkClient::PendingText() const
{
    std::lock_guard lock(sendLock);
    return pending;
}

int DeviceLinkClient::BuildPoll()
{
    std::string command = "R";
    for (DeviceLinkKey& key : table.Keys()) {
        if (!key.polled.load(std::memory_order_relaxed)) {
            continue;
        }
        const std::int32_t countdown = key.pollCountdown.load(std::memory_order_relaxed);
        if (countdown >= 2) {
            key.pollCountdown.store(countdown - 1, std::memory_order_relaxed);
            continue;
        }
        key.pollCountdown.store(key.pollReload.load(std::memory_order_relaxed), std::memory_order_relaxed);
        if (!key.IsIndexed()) {
            command += '/';
            command += std::to_string(key.id);
        } else {
            if (command.back() != 'R') {
                command += 'R';
            }
            command += '/';
            command += std::to_string(key.id);
            command += '\\';
            command += std::to_string(key.index);
            command += 'R';
        }
        if (command.size() > kPollSplit) {
            if (command.back() == 'R') {
                command.pop_back();
            }
            Send(command, true);
            command = "R";
        }
    }
    if (command.size() > 1 && command.back() == 'R') {
        command.pop_back();
    }
    if (command.size() > 1) {
        Send(command, false);
    }

    std::unique_lock lock(sendLock);
    if (pending.empty()) {
        return 0;
    }
    std::string text;
    text.swap(pending);
    pending.reserve(kPendingSize);
    if (!started.load()) {
        lock.unlock();
        Log("Sendto: Not connected to the server. Unable to send '%s'. \n", text.c_str());
        return -1;
    }
    return SendLocked(text);
}

int DeviceLinkClient::ParseReply(std::string_view datagram)
{
    const ReplyParser parser(table);
    return parser.Parse(datagram, [this](DeviceLinkKey& key, std::string_view value) { ApplyField(key, value); });
}

void DeviceLinkClient::ApplyField(DeviceLinkKey& key, std::string_view value)
{
    std::uint32_t flags = 0;
    {
        std::lock_guard lock(valuesLock);
        key.AssignReceived(value);
        if (key.id == 20) {
            double hours = 0.0;
            key.GetDouble(hours);
            clockValue.SetInt(key.type == TypedValue::Integer ? key.integer : static_cast<std::int32_t>(hours));
        }
        flags = key.flags;
    }
    if (key.id == 22) {
        Notify(Key22Received);
    }
    if (key.id == heartbeatId.load() && key.id != 0) {
        CountHeartbeat();
    }
    if (Logging()) {
        Log("Setting %s. Flags %08X\n", key.name.c_str(), flags);
    }
}

void DeviceLinkClient::CountHeartbeat()
{
    std::int32_t counter = linkCounter.load();
    if (counter > 4) {
        return;
    }
    linkCounter.store(++counter);
    if (counter == 0) {
        OnConnected();
        linkCounter.store(1);
    }
}

} // namespace vanemark
