#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

namespace vanemark {

// A timer callback of the client: called every reloadTicks ticks, the first
// time when its countdown runs out. Opaque to the application.
struct TimerCallbackEntry {
    std::atomic<TimerCallbackEntry*> next{nullptr};
    std::atomic<bool> enabled{false};
    std::function<void()> fn;
    std::atomic<std::int32_t> reloadTicks{0};
    std::atomic<std::int32_t> countdownTicks{0};
    std::atomic<bool> removed{false};
};

// An event sink of the client: called with the events of its mask.
struct EventSinkEntry {
    std::atomic<EventSinkEntry*> next{nullptr};
    std::atomic<bool> enabled{true};
    std::function<void(int event, std::uint32_t generation)> fn;
    std::uint32_t mask = 0;
    std::atomic<bool> removed{false};
};

// The timer callbacks and event sinks, in the order they were added. The
// tick thread walks both lists without a lock while the owner appends (an
// entry is complete before it is published) or removes: while a tick thread
// may be walking, a removed entry is only disabled and freed by
// FreeRemoved once that thread is gone.
class CallbackRegistry {
public:
    CallbackRegistry() = default;
    ~CallbackRegistry();
    CallbackRegistry(const CallbackRegistry&) = delete;
    CallbackRegistry& operator=(const CallbackRegistry&) = delete;

    // Periods and countdowns in ticks; the client converts from milliseconds.
    TimerCallbackEntry* AddTimer(std::function<void()> fn, std::int32_t reloadTicks, bool enabled,
                                 std::int32_t countdownTicks);
    // Previous reload in ticks; -1 without an entry. The countdown starts anew.
    std::int32_t SetReload(TimerCallbackEntry* entry, std::int32_t reloadTicks);
    int RemoveTimer(TimerCallbackEntry* entry, bool walking);
    EventSinkEntry* AddSink(std::function<void(int, std::uint32_t)> fn, std::uint32_t mask);
    int RemoveSink(EventSinkEntry* entry, bool walking);
    void FreeRemoved();

    // Tick thread: counts every entry down and calls the due ones.
    void RunTimers();
    // Ticks until RunTimers next calls a callback (1: the next run); 0 when
    // it calls none.
    std::int32_t TicksToNextCall() const;
    // The shortest period of an enabled timer in ticks; 0 without one.
    std::int32_t ShortestReload() const;
    void Notify(int event, std::uint32_t generation);

private:
    std::mutex listLock; // appenders and removers; the walks take none
    std::atomic<TimerCallbackEntry*> timers{nullptr};
    std::atomic<EventSinkEntry*> sinks{nullptr};
};

} // namespace vanemark
