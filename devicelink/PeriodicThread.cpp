#include "devicelink/PeriodicThread.h"

#include <utility>

namespace vanemark {

PeriodicThread::PeriodicThread(std::chrono::nanoseconds tickPeriod, std::function<bool()> tickFn)
    : period(tickPeriod.count() > 0 ? tickPeriod : std::chrono::milliseconds(1)), tick(std::move(tickFn)),
      worker([this] { Run(); })
{
}

PeriodicThread::~PeriodicThread()
{
    RequestStop();
    if (worker.joinable()) {
        if (IsCurrentThread()) {
            worker.detach();
        } else {
            worker.join();
        }
    }
}

void PeriodicThread::RequestStop()
{
    {
        std::lock_guard lock(wakeLock);
        stopRequested = true;
    }
    wake.notify_all();
}

void PeriodicThread::Join()
{
    RequestStop();
    if (worker.joinable() && !IsCurrentThread()) {
        worker.join();
    }
}

void PeriodicThread::Run()
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + period;
    for (;;) {
        {
            std::unique_lock lock(wakeLock);
            if (wake.wait_until(lock, deadline, [this] { return stopRequested; })) {
                return;
            }
        }
        if (!tick()) {
            return;
        }
        deadline += period;
        const auto now = Clock::now();
        if (deadline <= now) {
            deadline += ((now - deadline) / period + 1) * period;
        }
    }
}

} // namespace vanemark
