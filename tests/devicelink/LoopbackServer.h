#pragma once

#include <asio.hpp>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vanemark::test {

using namespace std::chrono_literals;

// Polls `done` until it holds or `timeout` passes; never hangs a test.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5000ms)
{
    for (const auto end = std::chrono::steady_clock::now() + timeout; !done(); std::this_thread::sleep_for(1ms)) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
    }
    return true;
}

// A raw UDP socket on a loopback address and an ephemeral port, playing the
// DeviceLink server (or a stranger, or a client of the stand-in server).
class LoopbackServer {
public:
    explicit LoopbackServer(const char* address = "127.0.0.1") : socket(io, {asio::ip::make_address_v4(address), 0})
    {
        socket.non_blocking(true);
    }
    int Port() const { return socket.local_endpoint().port(); }

    std::optional<std::string> Receive(std::chrono::milliseconds timeout = 2000ms)
    {
        std::string text(4096, '\0');
        std::error_code ec;
        for (const auto end = std::chrono::steady_clock::now() + timeout; std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(1ms)) {
            const std::size_t size = socket.receive(asio::buffer(text), 0, ec);
            if (!ec) {
                return text.substr(0, size);
            }
        }
        return std::nullopt;
    }

    // Every datagram that arrives within `window`.
    std::vector<std::string> Collect(std::chrono::milliseconds window)
    {
        std::vector<std::string> texts;
        for (const auto end = std::chrono::steady_clock::now() + window; std::chrono::steady_clock::now() < end;) {
            if (auto datagram = Receive(1ms)) {
                texts.push_back(std::move(*datagram));
            }
        }
        return texts;
    }

    void SendTo(int port, const std::string& text)
    {
        socket.send_to(asio::buffer(text), {asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(port)});
    }

private:
    asio::io_context io;
    asio::ip::udp::socket socket;
};

} // namespace vanemark::test
