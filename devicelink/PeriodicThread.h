#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vanemark {

// A thread that calls `tick` on a fixed steady_clock grid until it is
// stopped or `tick` returns false. Deadlines are
// absolute, so the period does not drift; a tick that overruns skips the
// deadlines it missed instead of firing a burst to catch up. Ticks never
// overlap because there is only this one thread.
class PeriodicThread {
public:
    PeriodicThread(std::chrono::nanoseconds period, std::function<bool()> tick);
    // Stops and joins (unless called on the thread itself).
    ~PeriodicThread();
    PeriodicThread(const PeriodicThread&) = delete;
    PeriodicThread& operator=(const PeriodicThread&) = delete;

    // Wakes the thread; it ends after the tick in progress, if any.
    void RequestStop();
    // RequestStop, then waits for the thread. A no-op on the thread itself.
    void Join();
    bool IsCurrentThread() const { return std::this_thread::get_id() == worker.get_id(); }

private:
    void Run();

    std::chrono::nanoseconds period;
    std::function<bool()> tick;
    std::mutex wakeLock;
    std::condition_variable wake;
    bool stopRequested = false;
    std::thread worker; // last: starts once everything above exists
};

} // namespace vanemark
