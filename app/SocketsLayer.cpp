#include "app/SocketsLayer.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vanemark {

bool InitialiseSocketsLayer()
{
#ifdef _WIN32
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        return false;
    }
    const SOCKET probe = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (probe == INVALID_SOCKET) {
        return false;
    }
    closesocket(probe);
    return true;
#else
    const int probe = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (probe < 0) {
        return false;
    }
    ::close(probe);
    return true;
#endif
}

} // namespace vanemark
