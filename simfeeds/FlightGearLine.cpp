#include "simfeeds/FlightGearLine.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace vanemark {

namespace {

constexpr double kKmhPerKnot = 1.852;
constexpr std::size_t kMaxNameLength = 255;

enum Field : std::size_t {
    Aileron,
    Elevator,
    Rudder,
    Flaps,
    AileronTrim,
    ElevatorTrim,
    RudderTrim,
    Throttle,
    Propeller,
    LeftBrake,
    RightBrake,
    Airspeed,
    Roll,
    Pitch,
    kNumbers
};
constexpr std::array<double, kNumbers> kLimits{1.5, 1.5, 1.5, 1.5, 1.5,    1.5,   1.5,
                                               1.5, 1.5, 1.5, 1.5, 3000.0, 360.0, 360.0};

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// nullopt for a field that is not a number at all.
std::optional<double> Number(std::string_view field)
{
    field = Trim(field);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{} || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

Verdict ReadLine(std::string_view line, SimReading& reading)
{
    std::array<std::string_view, kFlightGearFields> fields;
    std::size_t count = 0;
    // The aircraft comes last and takes the rest of the line.
    while (count + 1 < kFlightGearFields) {
        const auto comma = line.find(',');
        if (comma == std::string_view::npos) {
            return Verdict::Malformed;
        }
        fields[count++] = line.substr(0, comma);
        line.remove_prefix(comma + 1);
    }
    fields[count] = line;

    std::array<double, kNumbers> raw{};
    bool ok = true;
    for (std::size_t i = 0; i < kNumbers; ++i) {
        if (Trim(fields[i]).empty()) {
            raw[i] = SimReading::kAbsent; // FlightGear has no such property
            continue;
        }
        const auto value = Number(fields[i]);
        if (!value) {
            return Verdict::Malformed;
        }
        const bool plausible = Plausible(*value, kLimits[i]);
        raw[i] = plausible ? *value : SimReading::kAbsent;
        ok = ok && plausible;
    }

    const auto control = [](double value) { return std::clamp(value, -1.0, 1.0); };
    const auto ratio = [](double value) { return FromRatio(std::clamp(value, 0.0, 1.0)); };
    SimReading next;
    next[Reading::StickX] = control(raw[Aileron]);
    // FlightGear's elevator is positive with the stick pushed forward.
    next[Reading::StickY] = -control(raw[Elevator]);
    next[Reading::Rudder] = control(raw[Rudder]);
    next[Reading::Flaps] = ratio(raw[Flaps]);
    next[Reading::AileronTrim] = control(raw[AileronTrim]);
    next[Reading::ElevatorTrim] = control(raw[ElevatorTrim]);
    next[Reading::RudderTrim] = control(raw[RudderTrim]);
    next[Reading::Power] = ratio(raw[Throttle]);
    next[Reading::Prop] = ratio(raw[Propeller]);
    const double left = raw[LeftBrake];
    const double right = raw[RightBrake];
    next[Reading::Brakes] = std::isnan(left)    ? ratio(right)
                            : std::isnan(right) ? ratio(left)
                                                : ratio(std::max(left, right));
    next[Reading::Speed] = raw[Airspeed] * kKmhPerKnot;
    next[Reading::Bank] = raw[Roll];
    next[Reading::Pitch] = raw[Pitch];
    std::string name;
    for (const char c : Trim(fields[Pitch + 1]).substr(0, kMaxNameLength)) {
        name.push_back(c >= 0x20 && c < 0x7F ? c : '?');
    }
    next.aircraft = name.empty() ? std::nullopt : std::optional<std::string>(std::move(name));
    reading = std::move(next);
    return ok ? Verdict::Taken : Verdict::BadValue;
}

} // namespace

Verdict ReadFlightGearDatagram(std::string_view datagram, SimReading& reading)
{
    if (datagram.size() > kMaxSimDatagram) {
        return Verdict::Oversized;
    }
    // The newest line wins; a line that does not read drops the whole
    // datagram, so nothing of it shows.
    SimReading next = reading;
    Verdict verdict = Verdict::Short;
    while (!datagram.empty()) {
        const auto end = datagram.find('\n');
        const std::string_view line = datagram.substr(0, end);
        datagram.remove_prefix(end == std::string_view::npos ? datagram.size() : end + 1);
        if (Trim(line).empty()) {
            continue;
        }
        const Verdict lineVerdict = ReadLine(line, next);
        if (lineVerdict != Verdict::Taken && lineVerdict != Verdict::BadValue) {
            return lineVerdict;
        }
        verdict = verdict == Verdict::BadValue ? verdict : lineVerdict;
    }
    if (verdict != Verdict::Short) {
        reading = std::move(next);
    }
    return verdict;
}

} // namespace vanemark
