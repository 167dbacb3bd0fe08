#include "devicelink/DeviceLinkClient.h"

#include "devicelink/DeviceLinkSocket.h"
#include "devicelink/PeriodicThread.h"
#include "timing/HighResTimer.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

namespace vanemark {

namespace {

// The millisecond clock is process-wide; it runs while any client exists, so
// that destroying one client never stops the clock under another.
std::mutex clockLock;
int clientCount = 0;

} // namespace

DeviceLinkClient::DeviceLinkClient()
{
    pending.reserve(kPendingSize);
    std::lock_guard lock(clockLock);
    if (clientCount++ == 0 && HighResTimer::Instance().stopped == 1) {
        HighResTimer::Instance().Start();
    }
}

DeviceLinkClient::~DeviceLinkClient()
{
    Stop();
    for (TimerCallback* entry = timerCallbacks.load(); entry != nullptr;) {
        TimerCallback* next = entry->next.load();
        delete entry;
        entry = next;
    }
    for (EventSink* entry = eventSinks.load(); entry != nullptr;) {
        EventSink* next = entry->next.load();
        delete entry;
        entry = next;
    }
    std::lock_guard lock(clockLock);
    if (--clientCount == 0) {
        HighResTimer::Instance().Stop();
    }
}

int DeviceLinkClient::LoadKeys(const std::string& path)
{
    if (IsStarted()) {
        Log("LoadKeys(%s): the client is running; the key table is left as it is.\n", path.c_str());
        return -1;
    }
    std::lock_guard lock(valuesLock);
    return table.Load(path);
}

DeviceLinkKey* DeviceLinkClient::KeyById(std::int32_t id) const
{
    return table.KeyById(id);
}

DeviceLinkKey* DeviceLinkClient::KeyByIdIndex(std::int32_t id, std::int32_t index) const
{
    return table.KeyByIdIndex(id, index);
}

int DeviceLinkClient::Start(std::string_view host, int port, std::string_view localAddress)
{
    Stop();
    auto newSocket = std::make_unique<DeviceLinkSocket>();
    std::string error;
    if (newSocket->Open(host, port, localAddress, error) != 0) {
        Log("Start: %s.\n", error.c_str());
        return -1;
    }
    if (tickMs.load() < 1) {
        tickMs.store(kDefaultTickMs);
    }
    // A new session starts disconnected: the first heartbeat answer reports it.
    linkCounter.store(-1);
    heartbeatPhase = 0;
    {
        std::lock_guard lock(sendLock);
        socket = std::move(newSocket);
        pending.clear();
        started.store(true);
    }
    tickThreadAlive.store(true);
    thread = std::make_unique<PeriodicThread>(tickInterval, [this] {
        OnTick();
        return started.load();
    });
    return 0;
}

int DeviceLinkClient::Stop()
{
    if (OnTickThread()) {
        // Called from a callback or sink: the tick thread cannot join itself.
        // It ends after this tick; the next Start or the destructor joins it.
        std::lock_guard lock(sendLock);
        started.store(false);
        if (socket) {
            socket->Close();
        }
        return 0;
    }
    if (thread) {
        thread->Join();
        thread.reset();
    }
    tickThreadAlive.store(false);
    {
        std::lock_guard lock(sendLock);
        started.store(false);
        if (socket) {
            socket->Close();
        }
    }
    FreeRemovedEntries();
    return 0;
}

int DeviceLinkClient::LocalPort() const
{
    std::lock_guard lock(sendLock);
    return socket ? socket->LocalPort() : 0;
}

int DeviceLinkClient::PeriodTicks(int periodMs) const
{
    const std::int32_t tick = tickMs.load();
    return tick > 0 ? periodMs / tick : periodMs / kDefaultTickMs;
}

DeviceLinkClient::TimerCallback* DeviceLinkClient::AddTimerCallback(TimerFn fn, int periodMs, int startMs)
{
    if (!fn) {
        return nullptr;
    }
    auto* entry = new TimerCallback;
    entry->fn = std::move(fn);
    entry->reloadTicks.store(PeriodTicks(periodMs));
    entry->enabled.store(startMs != 0);
    entry->countdownTicks.store(startMs > 0 ? PeriodTicks(startMs) : 0);
    std::lock_guard lock(listLock);
    std::atomic<TimerCallback*>* link = &timerCallbacks;
    while (TimerCallback* current = link->load()) {
        link = &current->next;
    }
    // The tick thread may be walking the list: the entry is complete before
    // this store publishes it.
    link->store(entry, std::memory_order_release);
    return entry;
}

int DeviceLinkClient::SetTimerPeriod(TimerCallback* entry, int periodMs)
{
    if (entry == nullptr) {
        return -1;
    }
    return entry->reloadTicks.exchange(PeriodTicks(periodMs)) * tickMs.load();
}

DeviceLinkClient::EventSink* DeviceLinkClient::AddEventSink(EventFn fn, std::uint32_t mask)
{
    if (!fn) {
        return nullptr;
    }
    auto* entry = new EventSink;
    entry->fn = std::move(fn);
    entry->mask = mask;
    std::lock_guard lock(listLock);
    std::atomic<EventSink*>* link = &eventSinks;
    while (EventSink* current = link->load()) {
        link = &current->next;
    }
    link->store(entry, std::memory_order_release);
    return entry;
}

namespace {

// Unlinks and frees `entry` when the list is not being walked; otherwise only
// disables it, and the caller frees it later.
template <typename Entry> int RemoveEntry(std::atomic<Entry*>& head, Entry* entry, bool walking)
{
    if (entry == nullptr) {
        return -1;
    }
    std::atomic<Entry*>* link = &head;
    while (Entry* current = link->load()) {
        if (current == entry) {
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
        link = &current->next;
    }
    return -1;
}

template <typename Entry> void PurgeRemoved(std::atomic<Entry*>& head)
{
    std::atomic<Entry*>* link = &head;
    while (Entry* current = link->load()) {
        if (current->removed.load()) {
            link->store(current->next.load());
            delete current;
        } else {
            link = &current->next;
        }
    }
}

} // namespace

int DeviceLinkClient::RemoveTimerCallback(TimerCallback* entry)
{
    std::lock_guard lock(listLock);
    return RemoveEntry(timerCallbacks, entry, tickThreadAlive.load());
}

int DeviceLinkClient::RemoveEventSink(EventSink* entry)
{
    std::lock_guard lock(listLock);
    return RemoveEntry(eventSinks, entry, tickThreadAlive.load());
}

void DeviceLinkClient::FreeRemovedEntries()
{
    std::lock_guard lock(listLock);
    PurgeRemoved(timerCallbacks);
    PurgeRemoved(eventSinks);
}

void DeviceLinkClient::Notify(int event)
{
    for (EventSink* sink = eventSinks.load(std::memory_order_acquire); sink != nullptr;
         sink = sink->next.load(std::memory_order_acquire)) {
        if (sink->enabled.load() && (sink->mask & static_cast<std::uint32_t>(event)) != 0) {
            sink->fn(event);
        }
    }
}

void DeviceLinkClient::SetLogger(Logger fn)
{
    std::lock_guard lock(hookLock);
    logger = fn ? std::make_shared<const Logger>(std::move(fn)) : nullptr;
    hasLogger.store(logger != nullptr);
}

void DeviceLinkClient::SetRawHook(RawHook fn)
{
    std::lock_guard lock(hookLock);
    rawHook = fn ? std::make_shared<const RawHook>(std::move(fn)) : nullptr;
    hasRawHook.store(rawHook != nullptr);
}

void DeviceLinkClient::Log(const char* format, ...) const
{
    if (!Logging()) {
        return;
    }
    std::shared_ptr<const Logger> sink;
    {
        std::lock_guard lock(hookLock);
        sink = logger;
    }
    if (!sink) {
        return;
    }
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (length > 0) {
        line.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(line.data(), line.size(), format, args);
        line.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    (*sink)(line);
}

} // namespace vanemark
