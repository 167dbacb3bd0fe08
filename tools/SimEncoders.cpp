#include "tools/SimEncoders.h"

#include "core/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace vanemark::sim {

namespace {

constexpr double kKnotKmh = 1.852;
constexpr double kRadian = std::numbers::pi / 180.0;

// A -1..1 panel value as the 0..1 ratio simulators keep.
double Ratio(double panel)
{
    return (panel + 1.0) / 2.0;
}

void Put16(std::string& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>(value >> 8U));
}

void Put32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFFU));
    }
}

void PutFloat(std::string& out, double value)
{
    Put32(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

std::int32_t Get32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

// Angle of attack of wings level flight: the nose above the path flown.
double AngleOfAttack(const FlightMoment& m)
{
    const double ratio = m.climbMs / (m.speedKmh / 3.6);
    return m.pitch - std::asin(std::clamp(ratio, -1.0, 1.0)) / kRadian;
}

// Nine digits: every float reads back as itself, and 0.07 * 100 prints as 7.
std::string JsonNumber(double value)
{
    std::array<char, 32> buffer{};
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 9).ptr;
    return {buffer.data(), end};
}

std::string JsonString(std::string_view text)
{
    std::string out("\"");
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view hex = "0123456789abcdef";
            out.append("\\u00").push_back(hex[static_cast<unsigned char>(c) >> 4U]);
            out.push_back(hex[static_cast<unsigned char>(c) & 0xFU]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

struct JsonField {
    std::string_view key;
    double value;
};

std::string JsonObject(std::initializer_list<JsonField> numbers, std::string_view textKey = {},
                       std::string_view text = {})
{
    std::string out("{\n  \"valid\": true");
    for (const JsonField& field : numbers) {
        if (!std::isnan(field.value)) {
            out.append(",\n  ").append(JsonString(field.key)).append(": ").append(JsonNumber(field.value));
        }
    }
    if (!textKey.empty() && !text.empty()) {
        out.append(",\n  ").append(JsonString(textKey)).append(": ").append(JsonString(text));
    }
    return out.append("\n}\n");
}

constexpr std::string_view kNotInBattle = "{\"valid\": false}\n";

// The data-refs in the order of Vanemark's subscriptions.
constexpr std::array<std::string_view, 14> kDataRefs{
    "sim/joystick/yoke_pitch_ratio",
    "sim/joystick/yoke_roll_ratio",
    "sim/joystick/yoke_heading_ratio",
    "sim/cockpit2/controls/flap_ratio",
    "sim/cockpit2/engine/actuators/throttle_ratio_all",
    "sim/cockpit2/engine/actuators/prop_ratio_all",
    "sim/cockpit2/controls/aileron_trim",
    "sim/cockpit2/controls/elevation_trim",
    "sim/cockpit2/controls/rudder_trim",
    "sim/cockpit2/controls/left_brake_ratio",
    "sim/cockpit2/controls/right_brake_ratio",
    "sim/flightmodel/position/indicated_airspeed",
    "sim/flightmodel/position/phi",
    "sim/flightmodel/position/theta",
};
constexpr std::string_view kNamePrefix = "sim/aircraft/view/acf_ui_name[";
constexpr int kNameBytes = 260;

// The byte of the aircraft's name a path asks for; -1 for another path.
int NameByte(std::string_view path)
{
    if (!path.starts_with(kNamePrefix) || !path.ends_with("]") || path.size() < kNamePrefix.size() + 2 ||
        path.size() > kNamePrefix.size() + 4) {
        return -1;
    }
    const std::string_view digits = path.substr(kNamePrefix.size(), path.size() - kNamePrefix.size() - 1);
    int index = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return ec == std::errc() && end == digits.data() + digits.size() && index < kNameBytes ? index : -1;
}

} // namespace

std::string Il2Motion(const FlightMoment& m, std::uint32_t tick)
{
    if (std::isnan(m.bank) || std::isnan(m.pitch)) {
        return {};
    }
    std::string out;
    Put32(out, kIl2MotionId);
    Put32(out, tick);
    PutFloat(out, std::isnan(m.heading) ? 0.0 : m.heading * kRadian);
    PutFloat(out, m.pitch * kRadian);
    PutFloat(out, m.bank * kRadian);
    out.append(6 * sizeof(float), '\0'); // rotation and acceleration
    return out;
}

std::string Il2Telemetry(const FlightMoment& m, std::uint32_t tick, bool withFocus)
{
    const double gear = std::clamp(m.gear, 0.0, 1.0);
    const struct {
        std::uint16_t id;
        std::vector<double> values;
    } indicators[] = {
        {0, {m.rpm}},
        {1, {m.manifold}},
        {4, {gear, gear, gear}},
        {6, {m.speedKmh / 3.6}},
        {7, {AngleOfAttack(m)}},
        {11, {Ratio(m.flaps)}},
        {12, {Ratio(m.brakes)}}, // the only brake the telemetry has
    };
    std::string body;
    std::uint8_t count = 0;
    for (const auto& indicator : indicators) {
        if (std::ranges::any_of(indicator.values, [](double v) { return std::isnan(v); })) {
            continue;
        }
        Put16(body, indicator.id);
        body.push_back(static_cast<char>(indicator.values.size()));
        for (const double value : indicator.values) {
            PutFloat(body, value);
        }
        ++count;
    }
    const bool focus = withFocus && !m.aircraft.empty();
    body.push_back(static_cast<char>(focus ? 1 : 0));
    if (focus) {
        const std::string name = m.aircraft.substr(0, 255) + '\0';
        Put16(body, kIl2SetFocus);
        Put16(body, static_cast<std::uint16_t>(name.size()));
        body.append(name);
    }
    std::string out;
    Put32(out, kIl2TelemetryId);
    Put16(out, static_cast<std::uint16_t>(4 + 2 + 4 + 1 + body.size()));
    Put32(out, tick);
    out.push_back(static_cast<char>(count));
    return out.append(body);
}

std::string FlightGearLine(const FlightMoment& m)
{
    const auto field = [](double value, int decimals) {
        return std::isnan(value) ? std::string() : FormatFixed(value, decimals);
    };
    std::string line;
    for (const double value : {m.stickX, 0.0 - m.stickY, m.rudder, Ratio(m.flaps), m.aileronTrim, m.elevatorTrim,
                               m.rudderTrim, Ratio(m.power), Ratio(m.prop), Ratio(m.brakes), Ratio(m.brakes)}) {
        line.append(field(value, 4)).push_back(',');
    }
    line.append(field(m.speedKmh / kKnotKmh, 2)).push_back(',');
    line.append(field(m.bank, 4)).push_back(',');
    line.append(field(m.pitch, 4)).push_back(',');
    for (const char c : m.aircraft) { // a line break in a name would end the line
        line.push_back(c == '\n' || c == '\r' ? ' ' : c);
    }
    return line.append("\n");
}

std::optional<XPlaneRequest> ParseXPlaneRequest(std::string_view datagram)
{
    if (datagram.size() != kXPlaneRequestSize || datagram.substr(0, 5) != std::string_view("RREF\0", 5)) {
        return std::nullopt;
    }
    XPlaneRequest request;
    request.frequency = Get32(datagram, 5);
    request.index = Get32(datagram, 9);
    const std::string_view path = datagram.substr(13, kXPlanePathSize);
    request.path = std::string(path.substr(0, path.find('\0')));
    if (request.frequency < 0) {
        return std::nullopt;
    }
    return request;
}

bool IsXPlaneDataRef(std::string_view path)
{
    return NameByte(path) >= 0 || std::ranges::find(kDataRefs, path) != kDataRefs.end();
}

std::optional<float> XPlaneValue(const FlightMoment& m, std::string_view path)
{
    if (const int byte = NameByte(path); byte >= 0) {
        if (m.aircraft.empty()) {
            return std::nullopt;
        }
        const auto index = static_cast<std::size_t>(byte);
        return index < m.aircraft.size() ? static_cast<float>(static_cast<unsigned char>(m.aircraft[index])) : 0.0F;
    }
    const auto found = std::ranges::find(kDataRefs, path);
    if (found == kDataRefs.end()) {
        return std::nullopt;
    }
    const double values[] = {m.stickY,       m.stickX,        m.rudder,        Ratio(m.flaps),
                             Ratio(m.power), Ratio(m.prop),   m.aileronTrim,   m.elevatorTrim,
                             m.rudderTrim,   Ratio(m.brakes), Ratio(m.brakes), m.speedKmh / kKnotKmh,
                             m.bank,         m.pitch};
    const double value = values[found - kDataRefs.begin()];
    return std::isnan(value) ? std::nullopt : std::optional(static_cast<float>(value));
}

std::vector<std::string> XPlaneReplies(const std::vector<std::pair<std::int32_t, float>>& pairs, char fifth,
                                       std::size_t maxBytes)
{
    const std::size_t perDatagram = std::max<std::size_t>(1, (maxBytes - 5) / 8);
    std::vector<std::string> datagrams;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (i % perDatagram == 0) {
            datagrams.emplace_back("RREF").push_back(fifth);
        }
        Put32(datagrams.back(), static_cast<std::uint32_t>(pairs[i].first));
        PutFloat(datagrams.back(), pairs[i].second);
    }
    return datagrams;
}

std::string WarThunderState(const FlightMoment& m, bool inBattle)
{
    if (!inBattle || !m.live) {
        return std::string(kNotInBattle);
    }
    return JsonObject({{"aileron, %", m.stickX * 100.0},
                       {"elevator, %", m.stickY * 100.0},
                       {"rudder, %", m.rudder * 100.0},
                       {"flaps, %", Ratio(m.flaps) * 100.0},
                       {"H, m", m.altitudeM},
                       {"IAS, km/h", m.speedKmh},
                       {"throttle 1, %", Ratio(m.power) * 100.0},
                       {"RPM 1", m.rpm}});
}

std::string WarThunderIndicators(const FlightMoment& m, bool inBattle)
{
    if (!inBattle || !m.live) {
        return std::string(kNotInBattle);
    }
    return JsonObject({{"aviahorizon_roll", m.bank}, {"aviahorizon_pitch", m.pitch}, {"compass", m.heading}}, "type",
                      m.aircraft);
}

} // namespace vanemark::sim
