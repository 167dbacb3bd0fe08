#pragma once

#include "simfeeds/SimReading.h"

#include <cstdint>
#include <span>

namespace vanemark {

// IL-2 Great Battles pushes two kinds of datagram, both to the one port we
// listen on: motion (the aircraft's attitude) and telemetry (a list of
// indicators, then a list of events, the aircraft's name among them).
inline constexpr std::uint32_t kIl2gbMotionId = 0x494C0100;
inline constexpr std::uint32_t kIl2gbTelemetryId = 0x54000101;
inline constexpr std::size_t kIl2gbMotionSize = 44;
inline constexpr int kIl2gbDefaultPort = 4322;

// The indicators and the event we show.
inline constexpr std::uint16_t kIl2gbIndicatedAirspeed = 6; // m/s
inline constexpr std::uint16_t kIl2gbFlaps = 11;            // 0 ... 1
inline constexpr std::uint16_t kIl2gbSetFocus = 0;          // the aircraft's name

// Updates `reading` from one datagram of either kind: bank and pitch from
// motion; speed, flaps and the aircraft from telemetry. What the datagram does
// not carry is left as it was. A datagram that does not read as a whole
// changes nothing; a value that is NaN, infinite or absurd is made absent and
// the rest kept (BadValue).
Verdict ReadIl2gbDatagram(std::span<const std::uint8_t> datagram, SimReading& reading);

} // namespace vanemark
