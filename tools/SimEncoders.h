#pragma once

#include "tools/StandInFlight.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The payloads the stand-ins send, one moment of the flight each, as the
// simulators lay them out (binary numbers little-endian, floats IEEE-754
// single). A value the moment lacks is left out wherever the format allows.
namespace vanemark::sim {

// IL-2 Great Battles: two kinds of datagram pushed to one port.
inline constexpr std::uint32_t kIl2MotionId = 0x494C0100;
inline constexpr std::uint32_t kIl2TelemetryId = 0x54000101;
inline constexpr std::size_t kIl2MotionSize = 44;
inline constexpr std::uint16_t kIl2SetFocus = 0;
// Attitude in radians, no rotation or acceleration; empty when bank or pitch
// is unknown, since the packet has no way to leave them out.
std::string Il2Motion(const FlightMoment& moment, std::uint32_t tick);
// Indicators 0, 1, 4, 6, 7, 11 and 12 as far as known, and the aircraft's
// name in a SET_FOCUS event when `withFocus` (and the name is known).
std::string Il2Telemetry(const FlightMoment& moment, std::uint32_t tick, bool withFocus);

// FlightGear's generic protocol as Vanemark's protocol file lays it out: one
// line, comma-separated, an unknown value as an empty field.
std::string FlightGearLine(const FlightMoment& moment);

// X-Plane's RREF request and replies.
inline constexpr std::size_t kXPlaneRequestSize = 413;
inline constexpr std::size_t kXPlanePathSize = 400;
inline constexpr std::size_t kXPlaneMaxReply = 4096;
struct XPlaneRequest {
    std::int32_t frequency = 0;
    std::int32_t index = 0;
    std::string path;
};
// nullopt for anything but a 413-byte "RREF\0" request with a frequency >= 0.
std::optional<XPlaneRequest> ParseXPlaneRequest(std::string_view datagram);
// Whether the stand-in knows the data-ref (sim/aircraft/view/acf_ui_name[i] included).
bool IsXPlaneDataRef(std::string_view path);
// The data-ref's value in X-Plane's units; nullopt when unknown.
std::optional<float> XPlaneValue(const FlightMoment& moment, std::string_view path);
// "RREF" + `fifth` + (index, value) pairs, as few datagrams as fit `maxBytes`.
std::vector<std::string> XPlaneReplies(const std::vector<std::pair<std::int32_t, float>>& pairs, char fifth,
                                       std::size_t maxBytes = kXPlaneMaxReply);

// War Thunder's JSON pages; {"valid": false} outside a battle.
std::string WarThunderState(const FlightMoment& moment, bool inBattle);
std::string WarThunderIndicators(const FlightMoment& moment, bool inBattle);

} // namespace vanemark::sim
