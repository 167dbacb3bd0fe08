#pragma once

#include "devicelink/LinkSilence.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

struct TimerCallbackEntry;
struct EventSinkEntry;
namespace detail {
class ClientEngine;
}

// Client of the simulator's DeviceLink UDP interface. It owns the key table
// and a value cache; a tick thread (every 25 ms) receives replies, runs the
// timer callbacks, polls the subscribed keys and watches the heartbeat.
//
// Threads: everything here is meant for the owner's (window) thread. Timer
// callbacks, event sinks, the logger and the raw hook run on the tick thread
// (the logger also on the owner's thread for the lines of sends and reads).
// Results: 0 for success, -1 for failure unless stated otherwise.
class DeviceLinkClient {
public:
    enum Event : int { Connected = 1, Disconnected = 2, Key22Received = 4 };

    // Handles of registrations; the client owns them until they are removed.
    using TimerCallback = TimerCallbackEntry;
    using EventSink = EventSinkEntry;
    // generation: the link generation current when the event was raised.
    using EventFn = std::function<void(int event, std::uint32_t generation)>;
    // Receives each diagnostic line, already formatted (ends in "\n").
    using Logger = std::function<void(std::string_view line)>;
    // Receives every datagram read from the socket before it is parsed.
    using RawHook = std::function<void(std::string_view datagram)>;

    DeviceLinkClient();
    ~DeviceLinkClient();
    DeviceLinkClient(const DeviceLinkClient&) = delete;
    DeviceLinkClient& operator=(const DeviceLinkClient&) = delete;

    // Number of keys loaded, or -1 (the table is then empty). Not while started.
    int LoadKeys(const std::string& path);

    // host: a dotted IPv4 address or a host name (resolved to IPv4); a
    // broadcast address is refused. localAddress, when not empty or
    // 0.0.0.0, is the local address the socket binds to, so that requests
    // come from the address the simulator's IPS list names; a loopback one
    // is not used for a server elsewhere, which it could not reach. -1 with
    // a diagnostic line and StartError() when the socket cannot be made, the
    // host cannot be resolved or the local address is not this machine's;
    // the client then stays stopped. Refused (-1) from a callback or sink,
    // where the client's thread would have to replace itself.
    int Start(std::string_view host, int port, std::string_view localAddress = {});
    // Why the last Start failed, for the user; empty after a successful one.
    std::string StartError() const;
    // Stops and joins the tick thread, then closes the socket. Safe to call
    // repeatedly; from a callback on the tick thread it only asks the thread to end.
    int Stop();
    bool IsStarted() const;
    // Local UDP port of the socket (0 while stopped); replies go back to it.
    int LocalPort() const;

    // nullptr when fn is empty. startMs 0 leaves the entry disabled, a
    // negative startMs fires on the next tick, a positive one after that many
    // milliseconds (in whole 25 ms ticks).
    TimerCallback* AddTimerCallback(std::function<void()> fn, int periodMs, int startMs);
    // Previous period in milliseconds, -1 for a missing entry.
    int SetTimerPeriod(TimerCallback* entry, int periodMs);
    // -1 when the entry is not registered. While started the entry is only
    // disabled (no further calls from the next tick on) and freed at Stop.
    int RemoveTimerCallback(TimerCallback* entry);
    // mask: bits of Event. nullptr when fn is empty.
    EventSink* AddEventSink(EventFn fn, std::uint32_t mask);
    int RemoveEventSink(EventSink* entry);

    // -1 for an undeclared or unreadable id; 0 (and nothing changes) for the
    // heartbeat key; 0 for a key already polled (new period); otherwise the
    // result of queueing the key's read request.
    int SubscribeKey(std::int32_t id, int periodMs);
    // New period and countdown for every polled key; their number.
    int SetPollInterval(int periodMs);
    // Both before Start. Heartbeat id 0: no heartbeat.
    void SetHeartbeatId(std::int32_t id);
    // On: each connection sends "R/2/24/28/22", and the aircraft (key 22),
    // which changes without notice, is asked for again every 2 s and at once
    // when silent keys answer again.
    void SetAutoRequest(bool on);

    // sync != 0 on a key without a received value first reads it
    // synchronously (up to 1.5 s); the cached value is returned either way.
    int GetKeyDouble(std::int32_t id, double& out, int sync);
    // At most 255 characters.
    int GetKeyText(std::int32_t id, std::string& out, int sync);
    // The values of `ids` as of one moment: a reply is applied whole, so all
    // come from the same replies. nullopt for a key without a value: never
    // answered since the link came, or fallen silent (asked for three times
    // in a row, and for at least a second, without an answer).
    void ReadKeys(std::span<const std::int32_t> ids, std::span<std::optional<double>> out) const;
    // The text of `id` while it has a value (as ReadKeys has it).
    std::optional<std::string> ReadKeyText(std::int32_t id) const;
    // Moves on at every Connected and Disconnected.
    std::uint32_t LinkGeneration() const;
    // Zero into every key of ids 1..511 while `generation` is still current,
    // atomically with respect to the tick thread; how many, or -1 (nothing
    // changed) when the link has moved on since.
    int ResetValues(std::uint32_t generation);
    // true while the heartbeat (or, without one, the replies) says so.
    bool IsConnected() const;

    // Both may be set or cleared at any time.
    void SetLogger(Logger fn);
    void SetRawHook(RawHook fn);

    // What a pilot needs to tell a quiet simulator from a missing one.
    struct LinkStatus {
        std::string host; // as given to Start
        int port = 0;
        std::string localAddress; // as given to Start; may be empty
        int localPort = 0;
        bool started = false;
        bool connected = false;
        double sinceStart = 0.0;              // seconds since Start
        std::optional<double> sinceLastReply; // seconds; none before the first reply
        double repliesPerSecond = 0.0;
        std::string aircraft; // key 22, empty while it has no value
        // While connected: the polled ids, and those the simulator has
        // stopped answering (see ReadKeys), each ascending.
        std::vector<std::int32_t> polledKeys;
        std::vector<std::int32_t> silentKeys;
        LinkSilence silence = LinkSilence::None;
        std::string startError; // why the client could not start
        // The key table as LoadKeys last read it (keys < 1: nothing usable),
        // and the ids SubscribeKey refused since, ascending: without them
        // the simulator is never asked for those values.
        std::string keyTable;
        int keys = 0;
        std::vector<std::int32_t> refusedKeys;
    };
    LinkStatus Status() const;

private:
    friend class DeviceLinkClientAccess;
    std::unique_ptr<detail::ClientEngine> engine;
    // Of the last successful Start; owner's thread only.
    std::string serverHost;
    int serverPort = 0;
    std::string localAddress;
};

} // namespace vanemark
