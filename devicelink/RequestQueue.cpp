#include "devicelink/RequestQueue.h"

#include "devicelink/ClientLog.h"
#include "devicelink/DeviceLinkSocket.h"

namespace vanemark {

RequestQueue::RequestQueue(const ClientLog& clientLog) : log(clientLog)
{
    pending.reserve(kPendingSize);
}

void RequestQueue::Attach(DeviceLinkSocket& newSocket)
{
    std::lock_guard lock(sendLock);
    socket = &newSocket;
    pending.clear();
    attached.store(true);
}

void RequestQueue::Detach()
{
    std::lock_guard lock(sendLock);
    attached.store(false);
    if (socket != nullptr) {
        socket->Close();
    }
    socket = nullptr;
}

// Whether `text` is already queued as whole commands: each command begins
// with "R", so a match must start one (or the queue) and end before the next.
bool RequestQueue::Queued(std::string_view text) const
{
    for (std::size_t at = pending.find(text); at != std::string::npos; at = pending.find(text, at + 1)) {
        const std::size_t end = at + text.size();
        if ((at == 0 || text.front() == 'R') && (end == pending.size() || pending[end] == 'R')) {
            return true;
        }
    }
    return false;
}

int RequestQueue::NotConnected(std::string_view text) const
{
    const std::string copy(text);
    log.Log("Sendto: Not connected to the server. Unable to send '%s'. \n", copy.c_str());
    return -1;
}

int RequestQueue::Send(std::string_view text, bool immediate)
{
    if (text.empty()) {
        return -1;
    }
    std::unique_lock lock(sendLock);
    if (socket == nullptr) {
        lock.unlock();
        return NotConnected(text);
    }
    if (immediate) {
        return SendLocked(text);
    }
    if (Queued(text)) {
        return 0;
    }
    // The queue keeps its fixed size; a request that does not fit is dropped
    // whole rather than cut, since half a command would ask for the wrong key.
    if (pending.size() + text.size() > kPendingSize - 1) {
        const std::size_t used = pending.size();
        lock.unlock();
        const std::string copy(text);
        log.Log("Send: request queue full (%zu of %zu bytes used); dropped '%s'.\n", used, kPendingSize - 1,
                copy.c_str());
        return -1;
    }
    pending.append(text);
    return 0;
}

int RequestQueue::Flush()
{
    std::unique_lock lock(sendLock);
    if (pending.empty()) {
        return 0;
    }
    std::string text;
    text.swap(pending);
    pending.reserve(kPendingSize);
    if (socket == nullptr) {
        lock.unlock();
        return NotConnected(text);
    }
    return SendLocked(text);
}

// One datagram per command: the text is cut before every "R" but the first.
int RequestQueue::SendLocked(std::string_view text)
{
    int result = 0;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('R', begin + 1);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        int error = 0;
        const std::string_view datagram = text.substr(begin, end - begin);
        result = socket->SendTo(datagram, error);
        if (result >= 0 && log.Logging()) {
            const std::string copy(datagram);
            log.Log("Sent: %s\n", copy.c_str());
        }
        if (result < 0) {
            const std::string copy(text);
            log.Log("Error %d of sending %s\n", error, copy.c_str());
            return -1;
        }
        begin = end;
    }
    return result;
}

bool RequestQueue::HasPending() const
{
    std::lock_guard lock(sendLock);
    return !pending.empty();
}

std::string RequestQueue::PendingText() const
{
    std::lock_guard lock(sendLock);
    return pending;
}

} // namespace vanemark
