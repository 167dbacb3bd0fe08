#include "simfeeds/XPlaneRref.h"

#include "simfeeds/ByteReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vanemark {

namespace {

constexpr std::size_t kHeaderSize = 5;
constexpr std::size_t kPairSize = 8;
constexpr double kKmhPerKnot = 1.852;
// A plausible magnitude per data-ref, in its own unit.
constexpr std::array<double, kXPlaneRefs.size()> kLimits{1.5, 1.5, 1.5, 1.5, 1.5,    1.5,   1.5,
                                                         1.5, 1.5, 1.5, 1.5, 3000.0, 360.0, 360.0};

void PutLittleEndian(std::int32_t value, std::uint8_t* out)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

} // namespace

std::array<std::uint8_t, kRrefRequestSize> RrefRequest(std::int32_t frequency, std::int32_t index,
                                                       std::string_view path)
{
    std::array<std::uint8_t, kRrefRequestSize> request{};
    std::memcpy(request.data(), "RREF", 4);
    PutLittleEndian(frequency, &request[kHeaderSize]);
    PutLittleEndian(index, &request[kHeaderSize + 4]);
    // The last byte stays 0: X-Plane reads the path as a C string.
    const std::size_t length = std::min(path.size(), kRrefPathSize - 1);
    std::memcpy(&request[kHeaderSize + 8], path.data(), length);
    return request;
}

Verdict XPlaneReplies::Read(std::span<const std::uint8_t> datagram, SimReading& reading)
{
    if (datagram.size() > kMaxSimDatagram) {
        return Verdict::Oversized;
    }
    if (datagram.size() < kHeaderSize) {
        return Verdict::Short;
    }
    if (std::memcmp(datagram.data(), "RREF", 4) != 0 || (datagram[4] != ',' && datagram[4] != 0)) {
        return Verdict::WrongId;
    }
    if ((datagram.size() - kHeaderSize) % kPairSize != 0) {
        return Verdict::Short;
    }
    bool ok = true;
    ByteReader in(datagram.subspan(kHeaderSize));
    while (in.Left() >= kPairSize) {
        const std::int32_t index = *in.Take<std::int32_t>();
        const double value = *in.Take<float>();
        if (index >= 0 && static_cast<std::size_t>(index) < raw.size()) {
            const auto i = static_cast<std::size_t>(index);
            const bool plausible = Plausible(value, kLimits[i]);
            raw[i] = plausible ? value : SimReading::kAbsent;
            ok = ok && plausible;
        } else if (index >= kXPlaneNameIndex &&
                   static_cast<std::size_t>(index - kXPlaneNameIndex) < kXPlaneNameLength) {
            // A character code; anything but printable ASCII ends the name.
            const bool printable = value >= 0x20 && value < 0x7F;
            name[static_cast<std::size_t>(index - kXPlaneNameIndex)] = printable ? static_cast<char>(value) : '\0';
            nameHeard = true;
        }
    }
    Fill(reading);
    return ok ? Verdict::Taken : Verdict::BadValue;
}

void XPlaneReplies::Fill(SimReading& reading) const
{
    const auto control = [](double value) { return std::clamp(value, -1.0, 1.0); };
    const auto ratio = [](double value) { return FromRatio(std::clamp(value, 0.0, 1.0)); };
    reading[Reading::StickY] = control(raw[0]);
    reading[Reading::StickX] = control(raw[1]);
    reading[Reading::Rudder] = control(raw[2]);
    reading[Reading::Flaps] = ratio(raw[3]);
    reading[Reading::Power] = ratio(raw[4]);
    reading[Reading::Prop] = ratio(raw[5]);
    reading[Reading::AileronTrim] = control(raw[6]);
    reading[Reading::ElevatorTrim] = control(raw[7]);
    reading[Reading::RudderTrim] = control(raw[8]);
    // Either brake alone is braking; a missing one does not hide the other.
    const double left = raw[9];
    const double right = raw[10];
    reading[Reading::Brakes] = std::isnan(left) && std::isnan(right) ? SimReading::kAbsent
                               : std::isnan(left)                    ? ratio(right)
                               : std::isnan(right)                   ? ratio(left)
                                                                     : ratio(std::max(left, right));
    reading[Reading::Speed] = raw[11] * kKmhPerKnot;
    reading[Reading::Bank] = raw[12];
    reading[Reading::Pitch] = raw[13];
    if (nameHeard) {
        reading.aircraft = std::string(name.data(), std::find(name.begin(), name.end(), '\0'));
    }
}

} // namespace vanemark
