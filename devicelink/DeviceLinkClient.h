#pragma once

#include "core/TypedValue.h"
#include "devicelink/DeviceLinkKey.h"
#include "devicelink/DeviceLinkKeyTable.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace vanemark {

class DeviceLinkSocket;
class PeriodicThread;

// Client of the simulator's DeviceLink UDP interface. It owns the key table
// and a value cache; a tick thread (every 25 ms) receives replies, runs the
// timer callbacks, polls the subscribed keys and watches the heartbeat.
//
// Threads: Start, Stop, Add*/Remove*, SubscribeKey, SetPollInterval, the
// getters and ReadKey are meant for the owner's (window) thread. Timer
// callbacks, event sinks, the logger and the raw hook run on the tick thread
// (the logger also on the caller's thread for Send/ReadKey lines).
// Results: 0 for success, -1 for failure unless stated otherwise.
class DeviceLinkClient {
public:
    enum Event : int { Connected = 1, Disconnected = 2, Key22Received = 4 };

    static constexpr int kDefaultPort = 21100;
    static constexpr int kDefaultTickMs = 25;
    static constexpr int kDefaultHeartbeatTicks = 4;
    // The queued request text, terminator included.
    static constexpr std::size_t kPendingSize = 4096;
    // Longest reply datagram that is read; the receive buffer is one byte more.
    static constexpr std::size_t kMaxDatagram = 2047;
    // A poll command grows to just past this many characters before it is sent.
    static constexpr std::size_t kPollSplit = 256;
    // Upper bound of datagrams handled in one tick, so a flood cannot stall it.
    static constexpr int kMaxDatagramsPerTick = 32;
    static constexpr int kSyncReadTimeoutMs = 1500;
    static constexpr std::string_view kConnectionRequest = "R/2/24/28/22";

    using TimerFn = std::function<void()>;
    using EventFn = std::function<void(int event)>;
    // Receives each diagnostic line, already formatted (ends in "\n").
    using Logger = std::function<void(std::string_view line)>;
    // Receives every datagram read from the socket before it is parsed.
    using RawHook = std::function<void(std::string_view datagram)>;

    struct TimerCallback {
        std::atomic<TimerCallback*> next{nullptr};
        std::atomic<bool> enabled{false};
        TimerFn fn;
        std::atomic<std::int32_t> reloadTicks{0};
        std::atomic<std::int32_t> countdownTicks{0};
        std::atomic<bool> removed{false};
    };
    struct EventSink {
        std::atomic<EventSink*> next{nullptr};
        std::atomic<bool> enabled{true};
        EventFn fn;
        std::uint32_t mask = 0;
        std::atomic<bool> removed{false};
    };

    // Starts the process-wide HighResTimer unless it already runs.
    DeviceLinkClient();
    // Stops the client and, when it is the last client, the HighResTimer.
    ~DeviceLinkClient();
    DeviceLinkClient(const DeviceLinkClient&) = delete;
    DeviceLinkClient& operator=(const DeviceLinkClient&) = delete;

    // --- key table -------------------------------------------------------
    // Number of keys loaded, or -1 (the table is then empty). Not while started.
    int LoadKeys(const std::string& path);
    DeviceLinkKey* KeyById(std::int32_t id) const;
    DeviceLinkKey* KeyByIdIndex(std::int32_t id, std::int32_t index) const;
    const DeviceLinkKeyTable& KeyTable() const { return table; }

    // --- life ------------------------------------------------------------
    // host: a dotted IPv4 address or a host name (resolved to IPv4); a
    // broadcast address is refused. localAddress, when not empty, is the
    // local interface the socket binds to (the port is still chosen by the
    // system). -1 with a diagnostic line when the socket cannot be made or the
    // host cannot be resolved; the client then stays stopped.
    int Start(std::string_view host, int port, std::string_view localAddress = {});
    // Stops and joins the tick thread, then closes the socket. Safe to call
    // repeatedly; from a callback on the tick thread it only asks the thread to end.
    int Stop();
    bool IsStarted() const { return started.load(); }
    // Local UDP port of the socket (0 while stopped); replies go back to it.
    int LocalPort() const;

    // --- timer callbacks and event sinks -----------------------------------
    // nullptr when fn is empty. startMs 0 leaves the entry disabled, a
    // negative startMs fires on the next tick, a positive one after
    // startMs / tickMs ticks. The client owns the entry until it is removed.
    TimerCallback* AddTimerCallback(TimerFn fn, int periodMs, int startMs);
    // Previous period in milliseconds, -1 for a missing entry.
    int SetTimerPeriod(TimerCallback* entry, int periodMs);
    // -1 when the entry is not in the list. While started the entry is only
    // disabled (no further calls from the next tick on) and freed at Stop.
    int RemoveTimerCallback(TimerCallback* entry);
    // mask: bits of Event. nullptr when fn is empty.
    EventSink* AddEventSink(EventFn fn, std::uint32_t mask);
    int RemoveEventSink(EventSink* entry);

    // --- polling -----------------------------------------------------------
    // -1 for an undeclared or unreadable id; 0 (and nothing changes) for the
    // heartbeat key; 0 for a key already polled (new period); otherwise the
    // result of queueing the key's read request.
    int SubscribeKey(std::int32_t id, int periodMs);
    // New period and countdown for every polled key; their number.
    int SetPollInterval(int periodMs);
    // Previous value; set before Start (they are read by the tick thread).
    std::int32_t SetHeartbeatId(std::int32_t id) { return heartbeatId.exchange(id); }
    std::int32_t SetAutoRequest(std::int32_t on) { return autoRequest.exchange(on); }

    // --- values --------------------------------------------------------------
    // sync != 0 on a key without a received value first reads it
    // synchronously (up to 1.5 s); the cached value is returned either way.
    int GetKeyDouble(std::int32_t id, double& out, int sync);
    // buffer: at least TypedValue::kMaxText + 1 bytes.
    int GetKeyText(std::int32_t id, char* buffer, int sync);
    int GetKeyText(std::int32_t id, std::string& out, int sync);
    // Sends the key's read request every 10 ms until a value arrives or
    // timeoutMs passes. Blocks the calling thread; inside a tick (from a
    // callback or sink) it fails at once, since only the tick reads replies.
    int ReadKey(DeviceLinkKey* key, int timeoutMs);
    // Zero into every indexed key (ids 1..511); how many.
    int ResetValues();
    // Time of day from key 20, in whole seconds.
    std::int32_t ClockSeconds() const;
    // Flags of the first key of the id, read under the value lock (0 without
    // such a key); safe while the tick thread assigns values.
    std::uint32_t GetKeyFlags(std::int32_t id) const;
    // true while the heartbeat (or, without one, the replies) says so.
    bool IsConnected() const { return linkCounter.load() >= 0; }
    std::int32_t LinkCounter() const { return linkCounter.load(); }

    // --- protocol ------------------------------------------------------------
    // Queued: appended to the pending text unless already in it. Immediate:
    // one datagram per command. -1 when stopped, for an empty text, when a
    // queued text does not fit into the pending text, or on a send error;
    // otherwise 0 (queued) or the bytes of the last datagram (immediate).
    int Send(std::string_view text, bool immediate);
    static std::string KeyReadRequest(const DeviceLinkKey& key);
    // Requests the due keys and flushes the pending text.
    int BuildPoll();
    // Applies a reply datagram to the cache; the number of fields applied.
    int ParseReply(std::string_view datagram);
    // One tick; the tick thread calls it. A tick already running elsewhere
    // makes the call return at once.
    void OnTick();
    std::string PendingText() const;

    // --- diagnostics ---------------------------------------------------------
    // Both may be set or cleared at any time.
    void SetLogger(Logger fn);
    void SetRawHook(RawHook fn);

    // --- timing ----------------------------------------------------------------
    // Real-time length of one tick of the thread; the tick arithmetic keeps
    // using tickMs. Only tests and benchmarks shorten it, to run many ticks
    // quickly. Takes effect at the next Start.
    void SetTickInterval(std::chrono::microseconds interval) { tickInterval = interval; }
    // Ticks run since construction (including those that found the client busy).
    std::uint64_t TickCount() const { return tickCount.load(); }

    // Set before Start; the tick thread reads them.
    std::atomic<std::int32_t> heartbeatId{0};
    std::atomic<std::int32_t> autoRequest{0};
    std::atomic<std::int32_t> heartbeatTicks{kDefaultHeartbeatTicks};
    std::atomic<std::int32_t> tickMs{kDefaultTickMs};

private:
    // The key of id, first read synchronously when sync is set and it has no value yet.
    DeviceLinkKey* KeyForRead(std::int32_t id, int sync);
    void Log(const char* format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    bool Logging() const
    {
        return hasLogger.load(std::memory_order_relaxed);
    }
    int SendLocked(std::string_view text);
    int Queue(std::string_view text);
    int PeriodTicks(int periodMs) const;
    void ReceiveDatagrams();
    void HandleDatagram(std::string_view datagram);
    void ApplyField(DeviceLinkKey& key, std::string_view value);
    void CountHeartbeat();
    void RunTimerCallbacks();
    void Heartbeat();
    void OnConnected();
    void OnDisconnected();
    void Notify(int event);
    void FreeRemovedEntries();
    // true inside a tick (callbacks and sinks included) on the calling thread.
    static bool OnTickThread();

    DeviceLinkKeyTable table;

    std::unique_ptr<DeviceLinkSocket> socket;
    std::unique_ptr<PeriodicThread> thread;
    std::atomic<bool> started{false};
    // Set while a tick thread exists (even one that was asked to end from a
    // callback), so removed entries are only freed once it is joined.
    std::atomic<bool> tickThreadAlive{false};
    std::chrono::microseconds tickInterval{std::chrono::milliseconds(kDefaultTickMs)};

    mutable std::mutex sendLock; // every send and every change of `pending`
    std::string pending;

    mutable std::mutex valuesLock; // every key value and clockValue
    TypedValue clockValue;

    std::atomic<std::int32_t> linkCounter{-1};
    std::atomic<bool> tickBusy{false};
    std::int32_t heartbeatPhase = 0; // tick thread only
    std::atomic<std::uint64_t> tickCount{0};

    std::mutex listLock; // serialises appenders and removers; the walk takes none
    std::atomic<TimerCallback*> timerCallbacks{nullptr};
    std::atomic<EventSink*> eventSinks{nullptr};

    mutable std::mutex hookLock;
    std::shared_ptr<const Logger> logger;
    std::shared_ptr<const RawHook> rawHook;
    std::atomic<bool> hasLogger{false};
    std::atomic<bool> hasRawHook{false};
};

} // namespace vanemark
