#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {

inline constexpr std::int32_t kTickMs = 25;
inline constexpr std::int32_t kMaxStartupInterval = 10000;
inline constexpr std::string_view kDefaultServer = "21100 127.0.0.1 127.0.0.1";
inline constexpr std::string_view kDefaultPosition = "0 82 0 278";

// The stored interval as start-up uses it: a multiple of the 25 ms tick
// between 25 and 10000 ms.
std::int32_t NormaliseStartupInterval(std::int32_t stored);

// The interval the settings dialog hands over: at least 25 ms, a multiple of
// 25, no upper limit (the next start applies that).
std::int32_t NormaliseRuntimeInterval(std::int32_t requested);

struct ServerAddress {
    std::string host;
    std::int32_t port = 0;
};

// "port host local-address", separated by blanks, commas, '=' or tabs.
ServerAddress ParseServer(std::string_view value);

// A window rectangle as "position" stores it.
struct StoredPosition {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
};

// Four blank-separated integers; a missing one reads as 0.
StoredPosition ParsePosition(std::string_view value);
// "top bottom left right"
std::string FormatPosition(const StoredPosition& position);

// Vanemark.ini -> Vanemark.log. Only the file name's own extension is
// replaced, never a dot in a folder name.
std::string LogFileNameFor(std::string_view settingsFile);

} // namespace vanemark
