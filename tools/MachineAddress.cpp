// Where the simulator's server listens without a "host": the machine's
// network address. How to list a machine's addresses is the system's own.
#include "tools/MachineAddress.h"

#include <asio.hpp>

#include <cstring>

#if !defined(_WIN32)
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

namespace vanemark {

std::string MachineAddress()
{
#if defined(_WIN32)
    asio::io_context context;
    asio::ip::udp::resolver resolver(context);
    std::error_code ec;
    const std::string name = asio::ip::host_name(ec);
    const auto found = resolver.resolve(asio::ip::udp::v4(), name, "", ec);
    if (!ec) {
        for (const auto& entry : found) {
            if (!entry.endpoint().address().is_loopback()) {
                return entry.endpoint().address().to_string();
            }
        }
    }
    return {};
#else
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) {
        return {};
    }
    std::string found;
    for (const ifaddrs* it = interfaces; it != nullptr && found.empty(); it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET || (it->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        sockaddr_in in{};
        std::memcpy(&in, it->ifa_addr, sizeof in);
        const asio::ip::address_v4 address(ntohl(in.sin_addr.s_addr));
        if (!address.is_loopback()) {
            found = address.to_string();
        }
    }
    freeifaddrs(interfaces);
    return found;
#endif
}

} // namespace vanemark
