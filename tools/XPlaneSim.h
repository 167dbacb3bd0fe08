#pragma once

#include "tools/StandInFlight.h"

#include <asio.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace vanemark {

struct XPlaneSimOptions {
    std::string host = "127.0.0.1"; // the address to listen on
    int port = 49000;               // 0 lets the system choose (tests)
    char headerByte = ',';          // after "RREF" in replies: ',' as older versions send, 0 as newer ones
    std::shared_ptr<const FlightReplay> replay = nullptr;
};

// A stand-in X-Plane answering RREF subscriptions on a UDP socket, on a
// thread of its own. Each sender keeps, per index of its own, a data-ref and
// a frequency; replies go out at each frequency on a grid from the start, so
// the pairs falling due at one moment for one sender share a datagram (split
// above kXPlaneMaxReply bytes). Frequency 0 unsubscribes; a request that is
// malformed or names an unknown data-ref is ignored. A value the flight does
// not have is sent as no pair; nothing is sent while silent or once a replay
// has ended.
class XPlaneSim {
public:
    static constexpr int kMaxFrequency = 100;              // X-Plane sends at most once a frame
    static constexpr std::size_t kMaxSubscriptions = 4096; // of all senders together
    using LogFn = std::function<void(std::string_view line)>;

    explicit XPlaneSim(XPlaneSimOptions options = {});
    ~XPlaneSim();
    XPlaneSim(const XPlaneSim&) = delete;
    XPlaneSim& operator=(const XPlaneSim&) = delete;

    // Binds and starts on a thread of its own; -1 with a readable reason.
    int Start(std::string& error);
    void Stop();
    int Port() const { return boundPort; }

    // Safe while running.
    void SetSilent(bool silent) { forcedSilent.store(silent); }
    void SetLog(LogFn fn);
    std::size_t Subscriptions() const;
    std::uint64_t Replies() const { return replies.load(); } // datagrams

private:
    using Clock = std::chrono::steady_clock;
    using Key = std::pair<asio::ip::udp::endpoint, std::int32_t>; // sender, its index
    struct Subscription {
        std::string path;
        int frequency = 0;
        Clock::time_point due;
    };

    void Receive();
    void Handle(std::string_view datagram);
    Clock::time_point NextDue(Clock::time_point now, int frequency) const;
    void Schedule();
    void SendDue();
    void Print(std::string_view line);

    XPlaneSimOptions options;
    StandInFlight values;
    std::unique_ptr<asio::io_context> io;
    std::unique_ptr<asio::ip::udp::socket> socket;
    std::unique_ptr<asio::steady_timer> timer;
    asio::ip::udp::endpoint sender;
    std::array<char, 1024> buffer{};
    std::thread worker;
    int boundPort = 0;
    Clock::time_point started;

    mutable std::mutex stateLock; // subscriptions, log
    std::map<Key, Subscription> subscriptions;
    LogFn log;
    std::atomic<bool> forcedSilent{false};
    std::atomic<std::uint64_t> replies{0};
};

} // namespace vanemark
