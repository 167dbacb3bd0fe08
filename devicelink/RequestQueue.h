#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace vanemark {

class ClientLog;
class DeviceLinkSocket;

// Everything that leaves the client: requests sent at once and the pending
// text queued for the next tick, both behind the send lock, so the owner's
// synchronous reads and the tick's poll never interleave.
class RequestQueue {
public:
    // The queued request text, terminator included.
    static constexpr std::size_t kPendingSize = 4096;

    explicit RequestQueue(const ClientLog& log);
    RequestQueue(const RequestQueue&) = delete;
    RequestQueue& operator=(const RequestQueue&) = delete;

    // From here on requests go out through `socket` (which outlives the
    // attachment); the pending text starts empty.
    void Attach(DeviceLinkSocket& socket);
    // Closes the socket; every later send fails.
    void Detach();
    bool IsAttached() const { return attached.load(); }

    // Queued: appended to the pending text unless the same whole commands
    // are already queued ("R/4" is no part of "R/42"). Immediate: one
    // datagram per command. -1 when detached, for an empty text, when a
    // queued text does not fit, or on a send error; otherwise 0 (queued) or
    // the bytes of the last datagram (immediate).
    int Send(std::string_view text, bool immediate);
    // Sends the pending text at once and empties it.
    int Flush();
    std::string PendingText() const;
    bool HasPending() const;

private:
    bool Queued(std::string_view text) const;
    int SendLocked(std::string_view text);
    int NotConnected(std::string_view text) const;

    const ClientLog& log;
    mutable std::mutex sendLock; // every send and every change of `pending`
    DeviceLinkSocket* socket = nullptr;
    std::atomic<bool> attached{false};
    std::string pending;
};

} // namespace vanemark
