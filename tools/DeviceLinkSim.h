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
    // Seconds after start when the pilot leaves the aircraft (dies, bails
    // out, takes a gunner's seat) for good; negative: never.
    double notInCockpitAfter = -1.0;
    // Blank-separated addresses allowed to ask, compared as text with the
    // sender's dotted address; empty: anyone.
    std::string ips{};
    std::uint32_t seed = 1;
    // Recorded values instead of the synthetic ones for the ids it holds;
    // silent once it has ended.
    std::shared_ptr<const FlightReplay> replay = nullptr;
};

// A stand-in DeviceLink server on a real UDP socket. Every request datagram
// ("R/id/id\arg...") from an allowed sender gets at most one reply datagram
// starting with "A"; values that cannot be read are left out, a request with
// nothing readable gets no reply at all, and a reply longer than 2047 bytes
// is never sent, not even in part. Values are printed as the simulator prints
// them (see SimFlight::Print), each character cut to seven bits and with a
// backslash before every "/" and "\".
class DeviceLinkSim {
public:
    static constexpr std::size_t kMaxDatagram = 2047;
    static constexpr int kMaxPort = 65000; // a higher port is taken as this one
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

    // The answer to one request at `seconds` into the flight, of any length;
    // empty when nothing in it can be read. Applies the set commands it holds.
    std::string Answer(std::string_view request, double seconds);

    // Test and demo controls; safe while running.
    void SetValue(int id, std::string text); // pins every index of the id
    void ClearValue(int id);
    void SetReadable(int id, bool readable);
    void SetSilent(bool silent) { forcedSilent.store(silent); }
    // Out of the cockpit only the clock (20) answers; see notInCockpitAfter.
    void SetInCockpit(bool inCockpit) { forcedOutOfCockpit.store(!inCockpit); }
    void SetLog(LogFn fn);

    std::uint64_t Requests() const { return requests.load(); }
    std::uint64_t Replies() const { return replies.load(); }
    double Seconds() const;

private:
    void Receive();
    void Handle(std::size_t size);
    bool SilentAt(double seconds) const;
    bool InCockpitAt(double seconds) const;
    bool Allowed(const std::string& address) const;
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
    std::vector<std::string> allowedSenders; // from options.ips
    std::atomic<bool> forcedSilent{false};
    std::atomic<bool> forcedOutOfCockpit{false};
    std::atomic<std::uint64_t> requests{0};
    std::atomic<std::uint64_t> replies{0};
};

} // namespace vanemark
