#include "timing/HighResTimer.h"

#include <chrono>
#include <stdexcept>

namespace vanemark {

std::uint64_t SteadyCounterSource::Frequency() const
{
    using period = std::chrono::steady_clock::period;
    static_assert(period::num == 1, "steady_clock ticks must be a fraction of a second");
    return static_cast<std::uint64_t>(period::den);
}

std::uint64_t SteadyCounterSource::Now() const
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

HighResTimer::HighResTimer(std::shared_ptr<const CounterSource> counter) : source(std::move(counter))
{
    frequency = source ? source->Frequency() : 0;
    if (frequency == 0) {
        throw std::runtime_error("Error! This hardware does not support the time stamp counter necessary for this "
                                 "class to function.");
    }
}

HighResTimer& HighResTimer::Instance()
{
    static HighResTimer instance(std::make_shared<SteadyCounterSource>());
    return instance;
}

int HighResTimer::Start()
{
    start.store(source->Now(), std::memory_order_relaxed);
    stopped.store(false, std::memory_order_release);
    return 1;
}

void HighResTimer::Stop()
{
    stopped.store(true, std::memory_order_release);
    start.store(source->Now() - start.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

std::int64_t HighResTimer::ElapsedMs() const
{
    if (stopped.load(std::memory_order_acquire)) {
        throw std::runtime_error("Error! Timer is not running.");
    }
    const std::uint64_t ticks = source->Now() - start.load(std::memory_order_relaxed);
    return static_cast<std::int64_t>(static_cast<double>(ticks) / static_cast<double>(frequency) * 1000.0);
}

} // namespace vanemark
