#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark::settings {

// The "server" value: "port host local-address".
struct ServerSetting {
    std::int32_t port = 21100;
    std::string host = "127.0.0.1";
    std::string localAddress; // empty: any local interface
    friend bool operator==(const ServerSetting&, const ServerSetting&) = default;
};

// What the General page accepts as a port.
inline constexpr std::int64_t kPortMin = 1;
inline constexpr std::int64_t kPortMax = 65535;

// The characters that separate the parts when the value is read back.
inline constexpr std::string_view kServerDelimiters = " \t,=";

// A missing port reads as 21100, a missing host as 127.0.0.1; the local
// address is the rest of the value after the host.
ServerSetting ParseServer(std::string_view value);
// Written so that ParseServer gives the same setting back, provided neither
// address holds a delimiter (the General page refuses those).
std::string FormatServer(const ServerSetting& server);
// true when the text could be stored as a host or local address.
bool IsStorableAddress(std::string_view address);

} // namespace vanemark::settings
