#pragma once

#include "tools/FlightReplay.h"
#include "tools/SimFlight.h"

#include <asio.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vanemark {

struct DeviceLinkSimOptions {
    std::string host = "127.0.0.1";
    int port = 21100; // 0 lets the system choose (tests)
    bool verbose = false;
    double silentAfter = -1.0; // seconds after start; negative: never silent
    double resumeAfter = -1.0; // seconds of silence; negative: silent for good
    double dropPercent = 0.0;  // requests left unanswered at random
    bool online = false;       // leave out what a network game hides
    std::uint32_t seed = 1;
    // Recorded values instead of the synthetic ones for the ids it holds;
    // silent once it has ended.
    std::shared_ptr<const FlightReplay> replay = nullptr;
};

// A stand-in DeviceLink server on a real UDP socket. Every request datagram
// ("R/id/id\arg...") gets at most one answer, split into datagrams of at most
// 2047 bytes that each start with "A"; values that cannot be read are left
// out, and a request with nothing readable gets no answer at all. Values are
// printed as the simulator prints them (see SimFlight::Print), with a
// backslash before every "/" and "\" inside them.
class DeviceLinkSim {
public:
    static constexpr std::size_t kMaxDatagram = 2047;
    using LogFn = std::function<void(std::string_view line)>;

    explicit DeviceLinkSim(DeviceLinkSimOptions options = {});
    ~DeviceLinkSim();
    DeviceLinkSim(const DeviceLinkSim&) = delete;
    DeviceLinkSim& operator=(const DeviceLinkSim&) = delete;

    // Binds and starts answering on a thread of its own; -1 with a readable
    // reason (e.g. the port is in use).
    int Start(std::string& error);
    void Stop();
    int Port() const { return boundPort; }

    // The answer to one request at `seconds` into the flight, before splitting;
    // empty when nothing in it can be read. Applies the set commands it holds.
    std::string Answer(std::string_view request, double seconds);
    static std::vector<std::string> Split(std::string_view answer, std::size_t maxBytes = kMaxDatagram);

    // Test and demo controls; safe while running.
    void SetValue(int id, std::string text); // pins every index of the id
    void ClearValue(int id);
    void SetReadable(int id, bool readable);
    void SetSilent(bool silent) { forcedSilent.store(silent); }
    void SetLog(LogFn fn);

    std::uint64_t Requests() const { return requests.load(); }
    std::uint64_t Replies() const { return replies.load(); }
    double Seconds() const;

private:
    void Receive();
    void Handle(std::size_t size);
    bool SilentAt(double seconds) const;
    void Print(std::string_view prefix, std::string_view text);

    DeviceLinkSimOptions options;
    SimFlight flight;
    asio::io_context io;
    asio::ip::udp::socket socket{io};
    asio::ip::udp::endpoint sender;
    std::array<char, 4096> buffer{};
    std::thread worker;
    int boundPort = 0;
    std::chrono::steady_clock::time_point started;

    std::mutex stateLock; // pinned values, hidden ids, log, random numbers
    std::map<int, std::string> pinned;
    std::set<int> hidden;
    LogFn log;
    std::mt19937 random;
    std::atomic<bool> forcedSilent{false};
    std::atomic<std::uint64_t> requests{0};
    std::atomic<std::uint64_t> replies{0};
};

} // namespace vanemark
