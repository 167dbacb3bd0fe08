#include "simfeeds/Il2gbPacket.h"

#include "simfeeds/ByteReader.h"

#include <algorithm>
#include <numbers>
#include <string>

namespace vanemark {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kKmhPerMs = 3.6;
constexpr double kMaxSpeedKmh = 5000.0;
constexpr double kMaxDegrees = 360.0;
constexpr std::size_t kMaxNameLength = 255;
// A ratio a little past its end is rounding; far past it, corruption.
constexpr double kMaxRatio = 1.5;

// Writes `value` to `target` when plausible, else makes it absent; false
// for the latter.
bool Put(double value, double limit, double& target)
{
    const bool ok = Plausible(value, limit);
    target = ok ? value : SimReading::kAbsent;
    return ok;
}

Verdict ReadMotion(std::span<const std::uint8_t> datagram, SimReading& reading)
{
    if (datagram.size() < kIl2gbMotionSize) {
        return Verdict::Short;
    }
    if (datagram.size() > kIl2gbMotionSize) {
        return Verdict::Oversized;
    }
    ByteReader in(datagram.subspan(8)); // past the id and the tick
    const float yaw = *in.Take<float>();
    const float pitch = *in.Take<float>();
    const float roll = *in.Take<float>();
    static_cast<void>(yaw);
    SimReading next = reading;
    bool ok = Put(pitch * kDegreesPerRadian, kMaxDegrees, next[Reading::Pitch]);
    ok = Put(roll * kDegreesPerRadian, kMaxDegrees, next[Reading::Bank]) && ok;
    reading = next;
    return ok ? Verdict::Taken : Verdict::BadValue;
}

Verdict ReadTelemetry(std::span<const std::uint8_t> datagram, SimReading& reading)
{
    ByteReader in(datagram.subspan(4));
    const auto size = in.Take<std::uint16_t>();
    const auto tick = in.Take<std::uint32_t>();
    const auto indicators = in.Take<std::uint8_t>();
    if (!indicators || !tick || !size) {
        return Verdict::Short;
    }
    if (*size > datagram.size()) {
        return Verdict::Short;
    }
    if (*size < datagram.size()) {
        return Verdict::Malformed;
    }
    // Read into a copy: a packet that breaks off half-way shows nothing.
    SimReading next = reading;
    bool ok = true;
    for (int i = 0; i < *indicators; ++i) {
        const auto id = in.Take<std::uint16_t>();
        const auto count = in.Take<std::uint8_t>();
        if (!count) {
            return Verdict::Short;
        }
        for (int v = 0; v < *count; ++v) {
            const auto value = in.Take<float>();
            if (!value) {
                return Verdict::Short;
            }
            if (v != 0) {
                continue;
            }
            if (*id == kIl2gbIndicatedAirspeed) {
                ok = Put(*value * kKmhPerMs, kMaxSpeedKmh, next[Reading::Speed]) && ok;
            } else if (*id == kIl2gbFlaps) {
                if (Put(*value, kMaxRatio, next[Reading::Flaps])) {
                    next[Reading::Flaps] = FromRatio(std::clamp(next[Reading::Flaps], 0.0, 1.0));
                } else {
                    ok = false;
                }
            }
        }
    }
    const auto events = in.Take<std::uint8_t>();
    if (!events) {
        return Verdict::Short;
    }
    for (int i = 0; i < *events; ++i) {
        const auto type = in.Take<std::uint16_t>();
        const auto length = in.Take<std::uint16_t>();
        if (!length) {
            return Verdict::Short;
        }
        const auto data = in.Bytes(*length);
        if (!data) {
            return Verdict::Short;
        }
        if (*type == kIl2gbSetFocus) {
            std::string name;
            for (const std::uint8_t c : *data) {
                if (c == 0 || name.size() == kMaxNameLength) {
                    break;
                }
                // Only what a window title and a layout file name can carry.
                name.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
            }
            next.aircraft = std::move(name);
        }
    }
    reading = std::move(next);
    return ok ? Verdict::Taken : Verdict::BadValue;
}

} // namespace

Verdict ReadIl2gbDatagram(std::span<const std::uint8_t> datagram, SimReading& reading)
{
    if (datagram.size() > kMaxSimDatagram) {
        return Verdict::Oversized;
    }
    ByteReader in(datagram);
    const auto id = in.Take<std::uint32_t>();
    if (!id) {
        return Verdict::Short;
    }
    if (*id == kIl2gbMotionId) {
        return ReadMotion(datagram, reading);
    }
    if (*id == kIl2gbTelemetryId) {
        return ReadTelemetry(datagram, reading);
    }
    return Verdict::WrongId;
}

} // namespace vanemark
