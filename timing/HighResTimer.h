#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace vanemark {

// Where HighResTimer reads its ticks; tests substitute their own.
class CounterSource {
public:
    virtual ~CounterSource() = default;
    // Ticks per second; 0 when the platform cannot tell.
    virtual std::uint64_t Frequency() const = 0;
    virtual std::uint64_t Now() const = 0;
};

// steady_clock in nanoseconds.
class SteadyCounterSource final : public CounterSource {
public:
    std::uint64_t Frequency() const override;
    std::uint64_t Now() const override;
};

// Millisecond clock. Callers keep the low 32 bits of ElapsedMs and take
// differences in unsigned 32-bit arithmetic, so the clock may wrap.
// Whoever reads the clock starts it; Start and Stop belong to one thread,
// ElapsedMs and IsRunning may be called from any.
class HighResTimer {
public:
    // Throws std::runtime_error when the source has no frequency.
    explicit HighResTimer(std::shared_ptr<const CounterSource> counter);
    HighResTimer(const HighResTimer&) = delete;
    HighResTimer& operator=(const HighResTimer&) = delete;

    // The process-wide instance.
    static HighResTimer& Instance();

    // Restarts a running clock.
    int Start();
    void Stop();
    // Lets a caller that must not throw (an event handler) avoid ElapsedMs's error.
    bool IsRunning() const noexcept { return !stopped.load(std::memory_order_acquire); }
    // Throws std::runtime_error while stopped.
    std::int64_t ElapsedMs() const;

private:
    std::shared_ptr<const CounterSource> source;
    std::uint64_t frequency = 0;
    // The counter reading at Start while running; the ticks from Start to Stop after Stop.
    std::atomic<std::uint64_t> start{0};
    std::atomic<bool> stopped{true};
};

} // namespace vanemark
