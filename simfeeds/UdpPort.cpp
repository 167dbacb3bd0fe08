#include "simfeeds/UdpPort.h"

namespace vanemark {

UdpPort::~UdpPort()
{
    Close();
}

bool UdpPort::Open(int port, std::string& error)
{
    Close();
    asio::error_code ec;
    socket.open(asio::ip::udp::v4(), ec);
    if (!ec) {
        socket.non_blocking(true, ec);
    }
    if (!ec) {
        socket.bind(asio::ip::udp::endpoint(asio::ip::address_v4::any(), static_cast<unsigned short>(port)), ec);
    }
    if (ec) {
        error = ec == asio::error::address_in_use ? "port " + std::to_string(port) + " is in use" : ec.message();
        Close();
        return false;
    }
    return true;
}

void UdpPort::Close()
{
    asio::error_code ignored;
    socket.close(ignored);
}

int UdpPort::LocalPort() const
{
    asio::error_code ec;
    const auto local = socket.local_endpoint(ec);
    return ec ? 0 : local.port();
}

std::size_t UdpPort::Drain(const Take& take, std::size_t limit)
{
    std::size_t handed = 0;
    while (socket.is_open() && handed < limit) {
        asio::ip::udp::endpoint sender;
        asio::error_code ec;
        const std::size_t length = socket.receive_from(asio::buffer(buffer), sender, 0, ec);
        if (ec == asio::error::would_block || ec == asio::error::try_again) {
            break;
        }
        ++handed;
        if (ec == asio::error::connection_reset || ec == asio::error::connection_refused) {
            // An ICMP "port unreachable" for something we sent earlier
            // (Windows reports it on the next read): no datagram.
            continue;
        }
        if (ec) {
            // A datagram larger than the buffer (Windows reports it as an
            // error; its start was read): shown to the reader as too long.
            take(std::span<const std::uint8_t>(buffer));
            continue;
        }
        take(std::span<const std::uint8_t>(buffer.data(), length));
    }
    return handed;
}

bool UdpPort::SendTo(std::string_view host, int port, std::span<const std::uint8_t> datagram, std::string& error)
{
    asio::error_code ec;
    asio::ip::udp::resolver resolver(io);
    const auto found = resolver.resolve(asio::ip::udp::v4(), std::string(host), std::to_string(port), ec);
    if (!ec && found.empty()) {
        ec = asio::error::host_not_found;
    }
    if (!ec) {
        socket.send_to(asio::buffer(datagram.data(), datagram.size()), found.begin()->endpoint(), 0, ec);
    }
    if (ec) {
        error = ec.message();
        return false;
    }
    return true;
}

} // namespace vanemark
