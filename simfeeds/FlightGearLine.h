#pragma once

#include "simfeeds/SimReading.h"

#include <string_view>

namespace vanemark {

// FlightGear sends what our protocol file vanemark.xml asks for: one text
// line per frame, fields separated by commas, in this order:
//   aileron, elevator, rudder, flaps, aileron trim, elevator trim,
//   rudder trim, throttle, propeller, left brake, right brake,
//   airspeed (kt), roll (deg), pitch (deg), aircraft
inline constexpr std::size_t kFlightGearFields = 15;
inline constexpr int kFlightGearDefaultPort = 5505;

// Replaces `reading` with what one datagram's last line says. An empty
// number field is absent; a line with the wrong number of fields, or a
// number that does not read, drops the whole datagram (Malformed) and leaves
// `reading` as it was; NaN, infinite or absurd numbers are made absent
// (BadValue).
Verdict ReadFlightGearDatagram(std::string_view datagram, SimReading& reading);

} // namespace vanemark
