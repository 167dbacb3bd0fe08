#pragma once

#include "tools/StandInFlight.h"

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace vanemark {

struct WarThunderSimOptions {
    std::string host = "127.0.0.1"; // the address to listen on
    int port = 8111;                // 0 lets the system choose (tests)
    std::shared_ptr<const FlightReplay> replay = nullptr;
};

// A stand-in War Thunder: its local web server, answering GET /state and
// GET /indicators with the moment of the flight as JSON, and 404 to anything
// else, one request per connection. A request head larger than
// kMaxRequest bytes, or not complete within kRequestTime, gets the
// connection closed. Outside a battle, and once a replay has ended, both
// pages say {"valid": false}.
class WarThunderSim {
public:
    static constexpr std::size_t kMaxRequest = 8192;
    static constexpr std::chrono::seconds kRequestTime{2};
    using LogFn = std::function<void(std::string_view line)>;

    explicit WarThunderSim(WarThunderSimOptions options = {});
    ~WarThunderSim();
    WarThunderSim(const WarThunderSim&) = delete;
    WarThunderSim& operator=(const WarThunderSim&) = delete;

    // Listens and serves on a thread of its own; -1 with a readable reason.
    int Start(std::string& error);
    void Stop();
    int Port() const { return boundPort; }

    // The whole HTTP response to a request head (up to its blank line).
    std::string Answer(std::string_view head, double seconds) const;

    // Safe while running.
    void SetInBattle(bool inBattle) { battle.store(inBattle); }
    void SetLog(LogFn fn);
    std::uint64_t Requests() const { return requests.load(); }
    double Seconds() const;

private:
    class Session;
    void Accept();
    std::string Serve(std::string_view head); // counts and logs

    WarThunderSimOptions options;
    StandInFlight values;
    std::unique_ptr<asio::io_context> io;
    std::unique_ptr<asio::ip::tcp::acceptor> acceptor;
    std::thread worker;
    int boundPort = 0;
    std::chrono::steady_clock::time_point started;

    std::mutex logLock;
    LogFn log;
    std::atomic<bool> battle{true};
    std::atomic<std::uint64_t> requests{0};
};

} // namespace vanemark
