#pragma once

#include <asio/steady_timer.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace vanemark {

class DeviceLinkSocket;

// The client's own thread. It sleeps until a deadline named by its step, a
// datagram on the socket, or a wake from another thread, whichever comes
// first, and then runs the step once. A thread that polled on a fixed beat
// would wake 40 times a second with nothing to do; this one wakes only for
// work, which is what a laptop on battery pays for.
//
// Built on the socket's io_context, so it waits the same way on every
// platform Asio serves (no native handle is touched).
class ClientThread {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::time_point kNoDeadline = Clock::time_point::max();

    struct Next {
        bool run = true; // false: the thread ends
        Clock::time_point deadline = kNoDeadline;
        bool moreToRead = false; // the step left datagrams waiting
        // false (with a deadline): a datagram does not wake the thread; the
        // step reads what waits when the deadline or a wake brings it back.
        bool watchSocket = true;
    };
    // readable: the socket had something to read (or may have).
    using Step = std::function<Next(bool readable)>;

    // The socket must outlive the thread; nothing else may run its io_context.
    ClientThread(DeviceLinkSocket& socket, Step step);
    // Stops and joins (unless called on the thread itself).
    ~ClientThread();
    ClientThread(const ClientThread&) = delete;
    ClientThread& operator=(const ClientThread&) = delete;

    // Any thread: the step runs again at once and names a new deadline.
    void Wake();
    // Wakes the thread and waits for it to end. A no-op on the thread itself.
    void Join();
    bool IsCurrentThread() const { return std::this_thread::get_id() == worker.get_id(); }
    // How often the thread came back from waiting because something happened.
    std::uint64_t Wakeups() const { return wakeups.load(std::memory_order_relaxed); }

private:
    void Run();
    void ArmRead();
    void DisarmRead();
    void WaitAwayFromSocket(Clock::time_point deadline);
    void ArmTimer(Clock::time_point deadline);

    DeviceLinkSocket& socket;
    asio::steady_timer timer;
    Step step;
    std::atomic<bool> stopRequested{false};
    std::mutex wakeLock;
    std::condition_variable wakeSignal;
    bool wakeRequested = false; // guarded by wakeLock
    std::atomic<std::uint64_t> wakeups{0};
    // The thread's own bookkeeping of its waits.
    bool readArmed = false;
    std::uint64_t readWait = 0; // names the armed wait; a cancelled one finds it moved on
    bool readReady = false;
    bool woken = false;
    Clock::time_point armedDeadline = kNoDeadline;
    std::thread worker; // last: starts once everything above exists
};

} // namespace vanemark
