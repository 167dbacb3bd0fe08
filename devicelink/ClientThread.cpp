#include "devicelink/ClientThread.h"

#include "devicelink/DeviceLinkSocket.h"
#include "devicelink/ThreadName.h"

#include <asio/post.hpp>

#include <utility>

namespace vanemark {

ClientThread::ClientThread(DeviceLinkSocket& udpSocket, Step stepFn)
    : socket(udpSocket), timer(udpSocket.Context()), step(std::move(stepFn)), worker([this] { Run(); })
{
}

ClientThread::~ClientThread()
{
    Join();
    if (worker.joinable()) {
        worker.detach();
    }
}

void ClientThread::Wake()
{
    {
        std::lock_guard lock(wakeLock);
        wakeRequested = true;
    }
    wakeSignal.notify_one();
    asio::post(socket.Context(), [this] { woken = true; });
}

// The socket stays registered with the io_context's poller, so any datagram
// ends a wait there even with no read armed. A wait that must not end for
// datagrams waits here instead, for the deadline or a wake.
void ClientThread::WaitAwayFromSocket(Clock::time_point deadline)
{
    DisarmRead();
    ArmTimer(kNoDeadline);
    std::unique_lock lock(wakeLock);
    wakeSignal.wait_until(lock, deadline, [this] { return wakeRequested || stopRequested.load(); });
}

void ClientThread::Join()
{
    stopRequested.store(true);
    Wake();
    if (worker.joinable() && !IsCurrentThread()) {
        worker.join();
    }
}

// The wait stays armed across wakes; it is only renewed after it completed.
// Asio reports readiness on arrival only, so the step must have read the
// socket empty (or say it has not) before the next wait.
void ClientThread::ArmRead()
{
    if (readArmed) {
        return;
    }
    readArmed = true;
    const std::uint64_t wait = ++readWait;
    socket.Socket().async_wait(asio::socket_base::wait_read, [this, wait](const std::error_code& ec) {
        if (wait != readWait) {
            return; // a wait given up by DisarmRead
        }
        readArmed = false;
        // A failed wait is handed on as readable: the read reports the error.
        readReady = ec != asio::error::operation_aborted;
    });
}

void ClientThread::DisarmRead()
{
    if (!readArmed) {
        return;
    }
    readArmed = false;
    ++readWait;
    std::error_code ignored;
    socket.Socket().cancel(ignored);
}

void ClientThread::ArmTimer(Clock::time_point deadline)
{
    if (deadline == armedDeadline) {
        return;
    }
    armedDeadline = deadline;
    if (deadline == kNoDeadline) {
        timer.cancel();
        return;
    }
    timer.expires_at(deadline);
    timer.async_wait([this, deadline](const std::error_code& ec) {
        if (!ec && deadline == armedDeadline) {
            armedDeadline = kNoDeadline;
            woken = true;
        }
    });
}

void ClientThread::Run()
{
    NameCurrentThread("dl-client");
    asio::io_context& io = socket.Context();
    // A datagram may have come before the first wait was armed.
    bool readable = true;
    while (!stopRequested.load()) {
        {
            std::lock_guard lock(wakeLock);
            wakeRequested = false; // a wake from here on runs the step again
        }
        const Next next = step(readable);
        if (!next.run || stopRequested.load()) {
            break;
        }
        if (next.moreToRead) {
            readable = true;
            continue;
        }
        if (!next.watchSocket && next.deadline != kNoDeadline) {
            // What completes meanwhile (cancelled waits, posted wakes) runs
            // with the next wait on the io_context; nothing here needs it.
            WaitAwayFromSocket(next.deadline);
            wakeups.fetch_add(1, std::memory_order_relaxed);
            readable = false;
            continue;
        }
        ArmRead();
        ArmTimer(next.deadline);
        woken = false;
        readReady = false;
        // Handlers of cancelled waits complete at once without a real wake;
        // only a handler that saw an event ends the wait.
        while (!woken && !readReady && !stopRequested.load()) {
            if (io.run_one() == 0) {
                // Nothing left to wait for: the socket was closed under the step.
                io.restart();
                break;
            }
        }
        wakeups.fetch_add(1, std::memory_order_relaxed);
        io.poll();
        readable = readReady;
    }
    timer.cancel();
    std::error_code ignored;
    socket.Socket().cancel(ignored);
    io.restart();
    io.poll();
}

} // namespace vanemark
