#pragma once

#include "tools/StandInFlight.h"

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace vanemark {

// The simulators that push their data to a port of Vanemark's.
enum class PushFeed { Il2, FlightGear };

struct UdpPusherOptions {
    PushFeed feed = PushFeed::Il2;
    std::string host = "127.0.0.1"; // where the datagrams go
    int port = 4322;
    int hz = 30; // frames a second
    std::shared_ptr<const FlightReplay> replay = nullptr;
};

// A stand-in IL-2 Great Battles or FlightGear: every frame it sends the
// moment of the flight to one address, on a thread of its own. IL-2 sends a
// motion and a telemetry datagram a frame, the aircraft's name among the
// telemetry's events at the start, whenever the aircraft changes and every
// kFocusSeconds (a listener started late would never learn it otherwise);
// FlightGear sends one line. Nothing goes out while silent or once a replay
// has ended.
class UdpPusher {
public:
    static constexpr double kFocusSeconds = 5.0;
    using LogFn = std::function<void(std::string_view line)>;

    explicit UdpPusher(UdpPusherOptions options = {});
    ~UdpPusher();
    UdpPusher(const UdpPusher&) = delete;
    UdpPusher& operator=(const UdpPusher&) = delete;

    // 0, or -1 with a readable reason (a host that is no IPv4 address, a bad port or rate).
    int Start(std::string& error);
    void Stop();

    // Safe while running.
    void SetSilent(bool silent) { forcedSilent.store(silent); }
    void SetLog(LogFn fn);
    std::uint64_t Sent() const { return sent.load(); } // datagrams

private:
    using Clock = std::chrono::steady_clock;
    void Run();
    void Frame();
    void Send(const std::string& payload);
    void Print(std::string_view line);

    UdpPusherOptions options;
    StandInFlight values;
    std::unique_ptr<asio::io_context> io;
    std::unique_ptr<asio::ip::udp::socket> socket;
    asio::ip::udp::endpoint destination;
    // The frames' clock is a thread of its own with no asynchronous work on
    // the socket, so stopping never waits on the system to hand one back.
    std::thread worker;
    std::mutex stopLock;
    std::condition_variable stopSignal;
    bool stopping = false;
    Clock::time_point started;
    std::uint32_t frames = 0;
    std::string focusName; // the name last announced; empty: announce at once
    double focusAt = 0.0;

    std::mutex logLock;
    LogFn log;
    std::atomic<bool> forcedSilent{false};
    std::atomic<std::uint64_t> sent{0};
};

} // namespace vanemark
