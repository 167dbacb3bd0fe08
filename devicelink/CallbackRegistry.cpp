#include "devicelink/CallbackRegistry.h"

#include <algorithm>
#include <utility>

namespace vanemark {

namespace {

template <typename Entry> void Append(std::atomic<Entry*>& head, Entry* entry)
{
    std::atomic<Entry*>* link = &head;
    while (Entry* current = link->load()) {
        link = &current->next;
    }
    link->store(entry, std::memory_order_release);
}

// Unlinks and frees `entry` when the list is not being walked; otherwise
// only disables it, and FreeRemoved frees it later.
template <typename Entry> int Remove(std::atomic<Entry*>& head, Entry* entry, bool walking)
{
    if (entry == nullptr) {
        return -1;
    }
    for (std::atomic<Entry*>* link = &head; Entry* current = link->load(); link = &current->next) {
        if (current != entry) {
            continue;
        }
        if (current->removed.load()) {
            return -1;
        }
        current->enabled.store(false);
        current->removed.store(true);
        if (!walking) {
            link->store(current->next.load());
            delete current;
        }
        return 0;
    }
    return -1;
}

template <typename Entry> void Purge(std::atomic<Entry*>& head, bool all)
{
    std::atomic<Entry*>* link = &head;
    while (Entry* current = link->load()) {
        if (all || current->removed.load()) {
            link->store(current->next.load());
            delete current;
        } else {
            link = &current->next;
        }
    }
}

} // namespace

CallbackRegistry::~CallbackRegistry()
{
    Purge(timers, true);
    Purge(sinks, true);
}

TimerCallbackEntry* CallbackRegistry::AddTimer(std::function<void()> fn, std::int32_t reloadTicks, bool enabled,
                                               std::int32_t countdownTicks)
{
    auto* entry = new TimerCallbackEntry;
    entry->fn = std::move(fn);
    entry->reloadTicks.store(reloadTicks);
    entry->enabled.store(enabled);
    entry->countdownTicks.store(countdownTicks);
    std::lock_guard lock(listLock);
    Append(timers, entry);
    return entry;
}

std::int32_t CallbackRegistry::SetReload(TimerCallbackEntry* entry, std::int32_t reloadTicks)
{
    if (entry == nullptr) {
        return -1;
    }
    // The new period starts now, as a new poll interval does, so a callback
    // and the polls set to the same period keep sharing their ticks.
    entry->countdownTicks.store(reloadTicks);
    return entry->reloadTicks.exchange(reloadTicks);
}

int CallbackRegistry::RemoveTimer(TimerCallbackEntry* entry, bool walking)
{
    std::lock_guard lock(listLock);
    return Remove(timers, entry, walking);
}

EventSinkEntry* CallbackRegistry::AddSink(std::function<void(int, std::uint32_t)> fn, std::uint32_t mask)
{
    auto* entry = new EventSinkEntry;
    entry->fn = std::move(fn);
    entry->mask = mask;
    std::lock_guard lock(listLock);
    Append(sinks, entry);
    return entry;
}

int CallbackRegistry::RemoveSink(EventSinkEntry* entry, bool walking)
{
    std::lock_guard lock(listLock);
    return Remove(sinks, entry, walking);
}

void CallbackRegistry::FreeRemoved()
{
    std::lock_guard lock(listLock);
    Purge(timers, false);
    Purge(sinks, false);
}

void CallbackRegistry::RunTimers()
{
    for (TimerCallbackEntry* entry = timers.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next.load(std::memory_order_acquire)) {
        const std::int32_t countdown = entry->countdownTicks.load(std::memory_order_relaxed);
        if (countdown > 1) {
            entry->countdownTicks.store(countdown - 1, std::memory_order_relaxed);
            continue;
        }
        if (entry->enabled.load()) {
            entry->fn();
        }
        entry->countdownTicks.store(entry->reloadTicks.load(), std::memory_order_relaxed);
    }
}

std::int32_t CallbackRegistry::TicksToNextCall() const
{
    std::int32_t next = 0;
    for (const TimerCallbackEntry* entry = timers.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next.load(std::memory_order_acquire)) {
        if (entry->enabled.load()) {
            const std::int32_t ticks = std::max(entry->countdownTicks.load(std::memory_order_relaxed), 1);
            next = next == 0 ? ticks : std::min(next, ticks);
        }
    }
    return next;
}

std::int32_t CallbackRegistry::ShortestReload() const
{
    std::int32_t shortest = 0;
    for (const TimerCallbackEntry* entry = timers.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next.load(std::memory_order_acquire)) {
        const std::int32_t reload = entry->reloadTicks.load(std::memory_order_relaxed);
        if (entry->enabled.load() && !entry->removed.load() && reload > 0) {
            shortest = shortest == 0 ? reload : std::min(shortest, reload);
        }
    }
    return shortest;
}

void CallbackRegistry::Notify(int event, std::uint32_t generation)
{
    for (EventSinkEntry* sink = sinks.load(std::memory_order_acquire); sink != nullptr;
         sink = sink->next.load(std::memory_order_acquire)) {
        if (sink->enabled.load() && (sink->mask & static_cast<std::uint32_t>(event)) != 0) {
            sink->fn(event, generation);
        }
    }
}

} // namespace vanemark
