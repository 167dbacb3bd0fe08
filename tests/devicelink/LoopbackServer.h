#pragma once

#include <asio.hpp>

#include <array>
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
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return done();
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A raw UDP socket on a loopback address and an ephemeral port, playing the
// DeviceLink server (or a stranger, or a client of the stand-in server).
class LoopbackServer {
public:
    struct Datagram {
        std::string text;
        asio::ip::udp::endpoint sender;
    };

    explicit LoopbackServer(const char* address = "127.0.0.1")
    {
        socket.open(asio::ip::udp::v4());
        socket.bind(asio::ip::udp::endpoint(asio::ip::make_address_v4(address), 0));
        socket.non_blocking(true);
    }

    int Port() const { return socket.local_endpoint().port(); }

    std::optional<Datagram> Receive(std::chrono::milliseconds timeout = 2000ms)
    {
        std::optional<Datagram> result;
        WaitUntil(
            [&] {
                std::array<char, 4096> buffer{};
                Datagram datagram;
                std::error_code ec;
                const std::size_t size = socket.receive_from(asio::buffer(buffer), datagram.sender, 0, ec);
                if (ec) {
                    return false;
                }
                datagram.text.assign(buffer.data(), size);
                result = std::move(datagram);
                return true;
            },
            timeout);
        return result;
    }

    // Every datagram that arrives within `window`.
    std::vector<std::string> Collect(std::chrono::milliseconds window)
    {
        std::vector<std::string> texts;
        const auto end = std::chrono::steady_clock::now() + window;
        while (std::chrono::steady_clock::now() < end) {
            if (auto datagram = Receive(1ms)) {
                texts.push_back(std::move(datagram->text));
            }
        }
        return texts;
    }

    void SendTo(const asio::ip::udp::endpoint& to, const std::string& text) { socket.send_to(asio::buffer(text), to); }
    void SendTo(int port, const std::string& text)
    {
        SendTo({asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(port)}, text);
    }

private:
    asio::io_context io;
    asio::ip::udp::socket socket{io};
};

} // namespace vanemark::test
