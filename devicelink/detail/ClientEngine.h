#pragma once

#include "devicelink/CallbackRegistry.h"
#include "devicelink/ClientLog.h"
#include "devicelink/ClientThread.h"
#include "devicelink/LinkMonitor.h"
#include "devicelink/PollSchedule.h"
#include "devicelink/RequestQueue.h"
#include "devicelink/TickGrid.h"
#include "devicelink/ValueCache.h"
#include "timing/TimerResolution.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

class DeviceLinkSocket;

namespace detail {

// What DeviceLinkClient does, put together from its parts: the value cache,
// the request queue, the poll schedule, the callbacks, the link monitor and
// the diagnostics, driven by one thread that runs the 25 ms ticks which have
// work and reads each reply as it arrives. Besides the client's own
// operations it offers what tests and benchmarks drive by hand (single
// ticks, replies, raw sends); the application sees only DeviceLinkClient.
class ClientEngine {
public:
    enum Event : int { Connected = 1, Disconnected = 2, Key22Received = 4 };

    static constexpr int kSyncReadTimeoutMs = 1500;
    // Longest reply datagram that is read whole (the server sends no longer
    // answer). The receive buffer is one byte more, to tell a longer one,
    // whose field at the cut is dropped.
    static constexpr std::size_t kMaxDatagram = 2047;
    // Upper bound of datagrams handled in one go, so a flood cannot stall the ticks.
    static constexpr int kMaxDatagramsPerTick = 32;
    static constexpr std::string_view kConnectionRequest = "R/2/24/28/22";
    // The aircraft's name: the server answers it only while the aircraft
    // exists and never says that it changed, so it is asked for again.
    static constexpr std::int32_t kAircraftKey = 22;
    static constexpr std::uint64_t kAircraftEveryTicks = 80; // 2 s
    // A reply to a request that the next tick with work follows within this
    // many ticks is read by that tick rather than on arrival: the values
    // reach the window with the same tick either way, and a wake of its own
    // would cost as much as the tick.
    static constexpr std::uint64_t kReadAtTickWithin = 4;

    ClientEngine();
    ~ClientEngine();
    ClientEngine(const ClientEngine&) = delete;
    ClientEngine& operator=(const ClientEngine&) = delete;

    int LoadKeys(const std::string& path);
    // Refused (-1) inside a tick: the thread would have to replace itself.
    int Start(std::string_view host, int port, std::string_view localAddress);
    int Stop();
    bool IsStarted() const { return queue.IsAttached(); }
    // Known from Start, before anything is sent; 0 after Stop.
    int LocalPort() const { return localPort.load(); }

    TimerCallbackEntry* AddTimerCallback(std::function<void()> fn, int periodMs, int startMs);
    int SetTimerPeriod(TimerCallbackEntry* entry, int periodMs);
    int RemoveTimerCallback(TimerCallbackEntry* entry);
    EventSinkEntry* AddEventSink(std::function<void(int, std::uint32_t)> fn, std::uint32_t mask);
    int RemoveEventSink(EventSinkEntry* entry);

    int SubscribeKey(std::int32_t id, int periodMs);
    int SetPollInterval(int periodMs);
    void SetHeartbeatId(std::int32_t id)
    {
        link.SetHeartbeatId(id);
        Wake();
    }
    // On: each connection sends kConnectionRequest, and the aircraft is
    // followed (kAircraftKey asked for every 2 s, and at once when silent
    // keys answer again).
    void SetAutoRequest(bool on) { autoRequest.store(on); }

    int GetKeyDouble(std::int32_t id, double& out, int sync);
    int GetKeyText(std::int32_t id, std::string& out, int sync);
    // Sends the key's read request every 10 ms until a value arrives or
    // timeoutMs passes. Owner's thread only: the tick thread reads the replies.
    int ReadKey(DeviceLinkKey* key, int timeoutMs);
    void ReadKeys(std::span<const std::int32_t> ids, std::span<std::optional<double>> out) const
    {
        values.Read(ids, out);
    }
    std::optional<std::string> ReadKeyText(std::int32_t id) const { return values.ReadText(id); }
    std::uint32_t LinkGeneration() const { return values.Generation(); }
    int ResetValues(std::uint32_t generation) { return values.ResetValues(generation); }
    bool IsConnected() const { return link.IsConnected(); }
    std::int32_t LinkCounter() const { return link.Counter(); }
    const LinkMonitor& Link() const { return link; }

    void SetLogger(ClientLog::Logger fn) { log.SetLogger(std::move(fn)); }
    void SetRawHook(ClientLog::RawHook fn) { log.SetRawHook(std::move(fn)); }

    DeviceLinkKey* KeyById(std::int32_t id) const { return values.KeyById(id); }
    const ValueCache& Values() const { return values; }
    // Why the last Start failed; empty after a successful one.
    const std::string& StartError() const { return startError; }
    // What the last LoadKeys read, and the ids SubscribeKey refused since.
    const std::string& KeyTablePath() const { return keyTablePath; }
    int KeysLoaded() const { return keysLoaded; }
    const std::vector<std::int32_t>& RefusedKeys() const { return refusedKeys; }
    RequestQueue& Queue() { return queue; }
    static std::string KeyReadRequest(const DeviceLinkKey& key);
    // Applies a reply datagram; the number of fields applied. cut: the
    // datagram went on past `datagram`, so a value reaching its end may be
    // cut short and is dropped. Key22Received follows once, after the last field.
    int ParseReply(std::string_view datagram, bool cut = false);
    // One tick by hand: the waiting replies, then the tick's own steps.
    void OnTick();
    // Real-time length of one tick; the tick arithmetic stays at 25 ms. Tests
    // and benchmarks shorten it to run many ticks; zero starts no tick thread,
    // so that every tick is run by hand. Takes effect at the next Start.
    void SetTickInterval(std::chrono::microseconds interval) { tickInterval = interval; }
    // Ticks run, including those that had nothing to do.
    std::uint64_t TickCount() const { return tickCount.load(); }
    // How often the client's thread woke up since Start; 0 without one.
    std::uint64_t Wakeups() const { return thread ? thread->Wakeups() : 0; }

    // true inside a tick (callbacks and sinks included) on the calling thread,
    // where Stop cannot join the thread it runs on.
    static bool OnTickThread();

private:
    DeviceLinkKey* KeyForRead(std::int32_t id, int sync);
    // true when it stopped at the bound with datagrams still waiting.
    bool ReceiveDatagrams();
    // cut: the datagram went on past `datagram`.
    void HandleDatagram(std::string_view datagram, bool cut);
    void Heartbeat();
    // The poll of this tick, with the heartbeat and aircraft reads when they
    // are due and no poll follows soon enough to carry them.
    void Poll();
    DeviceLinkKey* HeartbeatKey() const;
    DeviceLinkKey* AircraftKey() const;
    // The steps of one tick after reception: timer callbacks, poll, heartbeat.
    void RunTickSteps();
    // The client thread's step: the ticks whose moment has come, then the
    // waiting replies; gives the moment of the next tick with work.
    ClientThread::Next OnWake(bool readable);
    // Ticks from the last one run to the next that must run on time; 0: none.
    std::uint64_t TicksToWork() const;
    // After a change by the owner that may bring work forward.
    void Wake();
    // The heartbeat period follows the shortest poll period (at least 100 ms),
    // so that every heartbeat read can ride with a poll.
    void FollowPollPeriod();
    // Keeps the system's timer fine enough for the shortest period the
    // running client works at.
    void FollowWorkPeriod();
    void OnConnected();
    void OnDisconnected();

    ClientLog log;
    ValueCache values;
    RequestQueue queue{log};
    PollSchedule schedule{values.Table(), queue};
    CallbackRegistry callbacks;
    LinkMonitor link;
    std::atomic<bool> autoRequest{false};
    std::string startError;
    // The owner's.
    std::string keyTablePath;
    int keysLoaded = 0;
    std::vector<std::int32_t> refusedKeys;

    // The tick thread's own.
    std::vector<ValueCache::Field> fields; // of the reply being applied; strings keep their room
    std::vector<DeviceLinkKey*> asked;     // of the poll being sent
    bool heartbeatDue = false;
    bool aircraftDue = false;
    std::uint64_t aircraftAskedAt = 0; // tick of the last request for the aircraft

    std::unique_ptr<DeviceLinkSocket> socket;
    std::unique_ptr<ClientThread> thread;
    // The client thread's own: where the ticks stand in real time.
    std::optional<TickGrid> grid;
    std::uint64_t ticksRun = 0;
    std::uint64_t dueTick = 0; // 0: nothing must run on time
    // Set while a tick thread exists (even one asked to end from a callback),
    // so removed entries are only freed once it is joined.
    std::atomic<bool> tickThreadAlive{false};
    std::chrono::microseconds tickInterval{std::chrono::milliseconds(PollSchedule::kTickMs)};
    std::atomic<std::uint64_t> tickCount{0};
    std::atomic<int> localPort{0};
    std::int32_t shortestPollTicks = 0; // the owner's
    TimerResolution timerResolution;
};

} // namespace detail
} // namespace vanemark
