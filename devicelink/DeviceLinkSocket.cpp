#include "devicelink/DeviceLinkSocket.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>

#if defined(_WIN32)
#include <mstcpip.h>
#endif

namespace vanemark {

namespace {

// Appends instead of chaining operator+: GCC 12 at -O3 reports a false
// overlap (-Wrestrict) in such chains.
std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (const std::string_view part : parts) {
        out.append(part);
    }
    return out;
}

bool IsLocalhost(std::string_view host)
{
    constexpr std::string_view kLocalhost = "localhost";
    return std::equal(host.begin(), host.end(), kLocalhost.begin(), kLocalhost.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// A dotted address is taken as it stands; anything else goes to the resolver,
// restricted to IPv4 because the socket is IPv4.
bool ResolveV4(asio::io_context& io, std::string_view host, asio::ip::address_v4& out, std::string& error)
{
    std::error_code ec;
    const std::string name(host);
    out = asio::ip::make_address_v4(name, ec);
    if (!ec) {
        return true;
    }
    // "localhost" is always the loopback address, also on minimal systems
    // without an /etc/hosts entry for it.
    if (IsLocalhost(host)) {
        out = asio::ip::address_v4::loopback();
        return true;
    }
    asio::ip::udp::resolver resolver(io);
    const auto results = resolver.resolve(asio::ip::udp::v4(), name, "", ec);
    if (ec || results.empty()) {
        error = Concat({"Unable to resolve '", name, "': ", ec ? ec.message() : std::string("no IPv4 address")});
        return false;
    }
    out = results.begin()->endpoint().address().to_v4();
    return true;
}

#if defined(_WIN32)
// Windows fails the read of a datagram longer than the buffer (WSAEMSGSIZE)
// where POSIX cuts it quietly; the buffer holds the datagram's start either
// way, and a full buffer is how the caller tells that it went on. Asio hides
// that error and reports a size Windows does not promise (Wine gives 0), so
// this one read goes to the system itself.
std::size_t ReceiveCut(SOCKET handle, std::span<char> buffer, asio::ip::udp::endpoint& sender, std::error_code& ec)
{
    sockaddr_in from{};
    int fromLength = sizeof(from);
    int got = ::recvfrom(handle, buffer.data(), static_cast<int>(buffer.size()), 0, reinterpret_cast<sockaddr*>(&from),
                         &fromLength);
    if (got == SOCKET_ERROR) {
        const int code = ::WSAGetLastError();
        if (code != WSAEMSGSIZE) {
            ec.assign(code, asio::error::get_system_category());
            return 0;
        }
        got = static_cast<int>(buffer.size());
    }
    sender = asio::ip::udp::endpoint(asio::ip::address_v4(ntohl(from.sin_addr.s_addr)), ntohs(from.sin_port));
    return static_cast<std::size_t>(got);
}
#endif

} // namespace

int DeviceLinkSocket::Open(std::string_view host, int port, std::string_view localAddress, std::string& error)
{
    Close();
    if (port < 1 || port > 65535) {
        error = Concat({"Invalid server port ", std::to_string(port)});
        return -1;
    }
    if (host.empty()) {
        error = "No server address";
        return -1;
    }
    asio::ip::address_v4 address;
    if (!ResolveV4(io, host, address, error)) {
        return -1;
    }
    // An unparsable name used to end up as the all-ones address and spray
    // requests over the local network; a broadcast target is never a server.
    if (address == asio::ip::address_v4::broadcast()) {
        error = Concat({"Refusing broadcast address ", address.to_string(), " as server"});
        return -1;
    }
    asio::ip::address_v4 local = asio::ip::address_v4::any();
    if (!localAddress.empty() && !ResolveV4(io, localAddress, local, error)) {
        error = Concat({"The local address '", localAddress, "' is not an IPv4 address of this computer"});
        return -1;
    }
    // Loopback can only reach this machine: for a server elsewhere the
    // system picks the address, as it would unbound.
    if (local.is_loopback() && !address.is_loopback()) {
        local = asio::ip::address_v4::any();
    }

    std::error_code ec;
    socket.open(asio::ip::udp::v4(), ec);
    if (!ec) {
        // Port 0: the system picks the local port, as a first send would; doing it
        // now makes the port known before anything is sent.
        socket.bind(asio::ip::udp::endpoint(local, 0), ec);
        if (ec && local != asio::ip::address_v4::any()) {
            error = Concat({"Cannot send from the local address ", local.to_string(),
                            ", which is not an address of this computer (", ec.message(), ")"});
            Close();
            return -1;
        }
    }
    if (!ec) {
        socket.non_blocking(true, ec);
    }
#if defined(_WIN32)
    if (!ec) {
        // Windows turns the ICMP "port unreachable" of a request nobody
        // listened to into WSAECONNRESET on a later read. A simulator not
        // running yet is the heartbeat's to notice, not a socket error.
        DWORD off = FALSE;
        DWORD returned = 0;
        ::WSAIoctl(socket.native_handle(), SIO_UDP_CONNRESET, &off, sizeof(off), nullptr, 0, &returned, nullptr,
                   nullptr);
    }
#endif
    if (ec) {
        error = Concat({"Unable to open the UDP socket: ", ec.message()});
        Close();
        return -1;
    }
    server = asio::ip::udp::endpoint(address, static_cast<unsigned short>(port));
    return 0;
}

void DeviceLinkSocket::Close()
{
    std::error_code ec;
    if (socket.is_open()) {
        socket.close(ec);
    }
}

int DeviceLinkSocket::SendTo(std::string_view data, int& error)
{
    std::error_code ec;
    const std::size_t sent = socket.send_to(asio::buffer(data.data(), data.size()), server, 0, ec);
    if (ec) {
        error = ec.value();
        return -1;
    }
    error = 0;
    return static_cast<int>(sent);
}

DeviceLinkSocket::ReadResult DeviceLinkSocket::Receive(std::span<char> buffer)
{
    ReadResult result;
    if (!socket.is_open()) {
        return result;
    }
    std::error_code ec;
#if defined(_WIN32)
    result.size = ReceiveCut(socket.native_handle(), buffer, result.sender, ec);
#else
    result.size = socket.receive_from(asio::buffer(buffer.data(), buffer.size()), result.sender, 0, ec);
#endif
    if (ec == asio::error::would_block || ec == asio::error::try_again) {
        result.size = 0;
        return result;
    }
    if (ec) {
        result.status = ReadStatus::Error;
        result.error = ec.value();
        result.size = 0;
        return result;
    }
    result.status = ReadStatus::Datagram;
    return result;
}

int DeviceLinkSocket::LocalPort() const
{
    std::error_code ec;
    if (!socket.is_open()) {
        return 0;
    }
    const auto local = socket.local_endpoint(ec);
    return ec ? 0 : local.port();
}

} // namespace vanemark
