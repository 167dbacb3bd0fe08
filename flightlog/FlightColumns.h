#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vanemark {

// The columns of a flight recording, in file order: time_ms first, then one
// column per shown DeviceLink value, the aircraft, then the pilot's hand.
// Recorder, reader and the replaying server all walk these tables, so a
// column is added here alone.
struct FlightColumn {
    std::string_view name;
    std::int32_t id; // the DeviceLink id the column holds
};

inline constexpr std::string_view kFlightTimeColumn = "time_ms";
inline constexpr std::array<FlightColumn, 13> kFlightValueColumns{{
    {"speed_kmh", 30},
    {"power", 80},
    {"flaps", 82},
    {"rudder", 88},
    {"prop", 92},
    {"bank", 46},
    {"pitch", 48},
    {"stick_x", 84},
    {"stick_y", 86},
    {"brakes", 90},
    {"aileron_trim", 94},
    {"elevator_trim", 96},
    {"rudder_trim", 98},
}};
inline constexpr FlightColumn kFlightAircraftColumn{"aircraft", 22};
// The controls as the pilot's joystick reads them, in the order of
// settings::HandControl. They come last so that a reader of the columns before
// them finds each where it always was, and recordings made before them still
// read: their hand is then unknown throughout.
inline constexpr std::array<std::string_view, 9> kFlightHandColumns{
    "hand_stick_x", "hand_stick_y",      "hand_rudder",        "hand_power",       "hand_prop",
    "hand_brakes",  "hand_aileron_trim", "hand_elevator_trim", "hand_rudder_trim",
};

using FlightValues = std::array<double, kFlightValueColumns.size()>;
using FlightHand = std::array<double, kFlightHandColumns.size()>;

// NaN throughout: no axis bound, or a recording without the hand columns.
constexpr FlightHand NoFlightHand()
{
    FlightHand none{};
    none.fill(std::numeric_limits<double>::quiet_NaN());
    return none;
}

// One row: milliseconds since the recording began, the values in column
// order, the aircraft, the hand (NaN where a field is empty).
struct FlightSample {
    std::int64_t timeMs = 0;
    FlightValues values{};
    std::string aircraft;
    FlightHand hand = NoFlightHand();
};

// "time_ms,speed_kmh,...,aircraft,hand_stick_x,...", without a line end.
std::string FlightHeader();

} // namespace vanemark
