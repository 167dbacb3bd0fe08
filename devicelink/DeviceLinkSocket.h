#pragma once

#include <asio.hpp>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vanemark {

// The client's UDP socket: IPv4, non-blocking, talking to one server.
// Sends and receives may run on different threads; Open and Close may not
// overlap with either.
class DeviceLinkSocket {
public:
    enum class ReadStatus { Datagram, Nothing, Error };
    struct ReadResult {
        ReadStatus status = ReadStatus::Nothing;
        std::size_t size = 0;
        asio::ip::udp::endpoint sender;
        int error = 0;
    };

    DeviceLinkSocket() = default;
    DeviceLinkSocket(const DeviceLinkSocket&) = delete;
    DeviceLinkSocket& operator=(const DeviceLinkSocket&) = delete;

    // host is a dotted address or a name resolved to IPv4. On failure gives
    // -1 and a readable reason in `error` (one line, no line end).
    int Open(std::string_view host, int port, std::string_view localAddress, std::string& error);
    void Close();
    bool IsOpen() const { return socket.is_open(); }

    // Bytes sent, or -1 with the system's error code in `error`.
    int SendTo(std::string_view data, int& error);
    // One datagram, never blocking.
    ReadResult Receive(std::span<char> buffer);
    // Replies count only when they come from the server's address; the port
    // may differ (a server may answer from another socket).
    bool IsFromServer(const asio::ip::udp::endpoint& sender) const { return sender.address() == server.address(); }

    const asio::ip::udp::endpoint& Server() const { return server; }
    int LocalPort() const;
    // For the one thread that waits on the socket; see ClientThread.
    asio::io_context& Context() { return io; }
    asio::ip::udp::socket& Socket() { return socket; }

private:
    asio::io_context io;
    asio::ip::udp::socket socket{io};
    asio::ip::udp::endpoint server;
};

} // namespace vanemark
