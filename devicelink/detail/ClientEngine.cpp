// The owner's side of the client: life, registrations, subscriptions and reads.
#include "devicelink/detail/ClientEngine.h"

#include "core/NumberText.h"
#include "devicelink/DeviceLinkSocket.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace vanemark::detail {

ClientEngine::ClientEngine() = default;

ClientEngine::~ClientEngine()
{
    Stop();
}

int ClientEngine::LoadKeys(const std::string& path)
{
    if (IsStarted()) {
        log.Log("LoadKeys(%s): the client is running; the key table is left as it is.\n", path.c_str());
        return -1;
    }
    keyTablePath = path;
    keysLoaded = values.LoadKeys(path);
    refusedKeys.clear();
    if (keysLoaded < 1) {
        log.Log("LoadKeys(%s): no key could be read; no value will be asked for.\n", path.c_str());
    }
    return keysLoaded;
}

int ClientEngine::Start(std::string_view host, int port, std::string_view localAddress)
{
    if (OnTickThread()) {
        log.Log("Start: refused inside a callback or sink of the client's own thread.\n");
        return -1;
    }
    Stop();
    auto newSocket = std::make_unique<DeviceLinkSocket>();
    std::string error;
    if (newSocket->Open(host, port, localAddress, error) != 0) {
        log.Log("Start: %s.\n", error.c_str());
        startError = std::move(error);
        return -1;
    }
    startError.clear();
    link.Reset();
    heartbeatDue = false;
    aircraftDue = false;
    aircraftAskedAt = 0;
    socket = std::move(newSocket);
    queue.Attach(*socket);
    localPort.store(socket->LocalPort());
    if (tickInterval.count() > 0) {
        tickThreadAlive.store(true);
        grid.emplace(TickGrid::Clock::now(), tickInterval);
        ticksRun = 0;
        dueTick = 0;
        thread = std::make_unique<ClientThread>(*socket, [this](bool readable) { return OnWake(readable); });
    }
    FollowWorkPeriod();
    return 0;
}

int ClientEngine::Stop()
{
    if (OnTickThread()) {
        // From a callback or sink: the tick thread cannot join itself. It
        // ends after this tick; the next Start or the destructor joins it.
        queue.Detach();
        return 0;
    }
    if (thread) {
        thread->Join();
        thread.reset();
    }
    tickThreadAlive.store(false);
    queue.Detach();
    localPort.store(0);
    callbacks.FreeRemoved();
    timerResolution.Release();
    return 0;
}

TimerCallbackEntry* ClientEngine::AddTimerCallback(std::function<void()> fn, int periodMs, int startMs)
{
    if (!fn) {
        return nullptr;
    }
    TimerCallbackEntry* entry = callbacks.AddTimer(std::move(fn), PollSchedule::Ticks(periodMs), startMs != 0,
                                                   startMs > 0 ? PollSchedule::Ticks(startMs) : 0);
    FollowWorkPeriod();
    Wake();
    return entry;
}

int ClientEngine::SetTimerPeriod(TimerCallbackEntry* entry, int periodMs)
{
    if (entry == nullptr) {
        return -1;
    }
    const int previous = callbacks.SetReload(entry, PollSchedule::Ticks(periodMs)) * PollSchedule::kTickMs;
    FollowWorkPeriod();
    Wake();
    return previous;
}

int ClientEngine::RemoveTimerCallback(TimerCallbackEntry* entry)
{
    const int result = callbacks.RemoveTimer(entry, tickThreadAlive.load() || OnTickThread());
    FollowWorkPeriod();
    return result;
}

EventSinkEntry* ClientEngine::AddEventSink(std::function<void(int, std::uint32_t)> fn, std::uint32_t mask)
{
    return fn ? callbacks.AddSink(std::move(fn), mask) : nullptr;
}

int ClientEngine::RemoveEventSink(EventSinkEntry* entry)
{
    return callbacks.RemoveSink(entry, tickThreadAlive.load() || OnTickThread());
}

std::string ClientEngine::KeyReadRequest(const DeviceLinkKey& key)
{
    std::string text("R/");
    text.append(FormatInt(key.Id()));
    if (key.IsIndexed()) {
        text.push_back('\\');
        text.append(FormatInt(key.Index()));
    }
    return text;
}

int ClientEngine::SubscribeKey(std::int32_t id, int periodMs)
{
    DeviceLinkKey* key = KeyById(id);
    if (key == nullptr || (values.Flags(*key) & TypedValue::Readable) == 0) {
        log.Log("SubscribeKey(%d): not a readable key of the key table; never asked for.\n", static_cast<int>(id));
        if (const auto at = std::lower_bound(refusedKeys.begin(), refusedKeys.end(), id);
            at == refusedKeys.end() || *at != id) {
            refusedKeys.insert(at, id);
        }
        return -1;
    }
    // The heartbeat has its own schedule.
    if (id == link.HeartbeatId()) {
        return 0;
    }
    if (!PollSchedule::Subscribe(*key, periodMs)) {
        return 0;
    }
    values.SetFlag(*key, TypedValue::Polled, true);
    log.Log("SubscribeKey(): Adding %s to poll\n", key->Name().c_str());
    const int result = queue.Send(KeyReadRequest(*key), false);
    FollowPollPeriod();
    Wake();
    return result;
}

int ClientEngine::SetPollInterval(int periodMs)
{
    const int count = schedule.SetInterval(periodMs);
    FollowPollPeriod();
    Wake();
    return count;
}

void ClientEngine::FollowPollPeriod()
{
    std::int32_t shortest = 0;
    for (const DeviceLinkKey& key : values.Table().Keys()) {
        const std::int32_t reload = key.poll.reload.load();
        if (key.poll.polled.load() && (shortest == 0 || reload < shortest)) {
            shortest = reload;
        }
    }
    link.SetHeartbeatTicks(shortest);
    shortestPollTicks = shortest;
    FollowWorkPeriod();
}

void ClientEngine::FollowWorkPeriod()
{
    if (!IsStarted() || tickInterval.count() <= 0) {
        timerResolution.Release();
        return;
    }
    const std::int32_t timers = callbacks.ShortestReload();
    const std::int32_t ticks = shortestPollTicks == 0 || timers == 0 ? std::max(shortestPollTicks, timers)
                                                                     : std::min(shortestPollTicks, timers);
    timerResolution.Follow(std::chrono::duration_cast<std::chrono::milliseconds>(tickInterval * ticks));
}

void ClientEngine::Wake()
{
    if (thread && !OnTickThread()) {
        thread->Wake();
    }
}

DeviceLinkKey* ClientEngine::KeyForRead(std::int32_t id, int sync)
{
    DeviceLinkKey* key = KeyById(id);
    if (key != nullptr && sync != 0 && (values.Flags(*key) & TypedValue::Received) == 0) {
        ReadKey(key, kSyncReadTimeoutMs);
    }
    return key;
}

int ClientEngine::GetKeyDouble(std::int32_t id, double& out, int sync)
{
    const DeviceLinkKey* key = KeyForRead(id, sync);
    return key == nullptr ? -1 : values.GetDouble(*key, out);
}

int ClientEngine::GetKeyText(std::int32_t id, std::string& out, int sync)
{
    const DeviceLinkKey* key = KeyForRead(id, sync);
    return key == nullptr ? -1 : values.GetText(*key, out);
}

int ClientEngine::ReadKey(DeviceLinkKey* key, int timeoutMs)
{
    if (key == nullptr) {
        return -1;
    }
    if ((values.Flags(*key) & TypedValue::Readable) == 0) {
        return -1;
    }
    values.SetFlag(*key, TypedValue::Updated, false);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::string request = KeyReadRequest(*key);
    int elapsed = 0;
    while (elapsed < timeoutMs) {
        queue.Send(request, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        elapsed = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        if ((values.Flags(*key) & TypedValue::Updated) != 0) {
            log.Log("ReadKey(%s) in %d ms.\n", key->Name().c_str(), elapsed);
            return 0;
        }
    }
    log.Log("*ERROR: ReadKey(%s) Unable to read in %d ms.\n", key->Name().c_str(), elapsed);
    return -1;
}

} // namespace vanemark::detail
