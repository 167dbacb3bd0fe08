#pragma once

#include <asio.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vanemark {

// One non-blocking UDP socket for a simulator that pushes its data, or
// answers requests, to us. Nothing here waits: the owner drains what has
// arrived when it wants the values.
class UdpPort {
public:
    // One byte more than any interface sends, so a longer datagram shows as
    // longer instead of being cut to a size that might read.
    static constexpr std::size_t kBufferSize = 4097;
    using Take = std::function<void(std::span<const std::uint8_t> datagram)>;

    UdpPort() = default;
    ~UdpPort();
    UdpPort(const UdpPort&) = delete;
    UdpPort& operator=(const UdpPort&) = delete;

    // Binds `port` (0: one the system chooses) on every local address, so a
    // simulator on another machine reaches it too. false with a reason
    // ("port 4322 is in use") when it cannot.
    bool Open(int port, std::string& error);
    void Close();
    bool IsOpen() const { return socket.is_open(); }
    int LocalPort() const;

    // Hands each waiting datagram to `take`, at most `limit` of them, so a
    // flood cannot hold the caller; the count handed.
    std::size_t Drain(const Take& take, std::size_t limit);

    // Sends one datagram; false with a reason when the host does not resolve
    // or the system refuses.
    bool SendTo(std::string_view host, int port, std::span<const std::uint8_t> datagram, std::string& error);

private:
    asio::io_context io;
    asio::ip::udp::socket socket{io};
    std::array<std::uint8_t, kBufferSize> buffer{};
};

} // namespace vanemark
