#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {

// The columns of a flight recording, in file order: time_ms first, then one
// column per shown DeviceLink value, the aircraft last. Recorder, reader and
// the replaying server all walk this one table, so a column is added here alone.
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

using FlightValues = std::array<double, kFlightValueColumns.size()>;

// One row: milliseconds since the recording began, the values in column order.
struct FlightSample {
    std::int64_t timeMs = 0;
    FlightValues values{};
    std::string aircraft;
};

// "time_ms,speed_kmh,...,aircraft", without a line end.
std::string FlightHeader();

} // namespace vanemark
