#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace vanemark {

// What a simulator's own interface can tell the panel, in the panel's units:
// km/h, degrees, -1 ... 1 for every control and trim (a 0 ... 1 ratio is
// stretched to that), flaps -1 retracted ... 1 fully out, the stick's y
// positive when pulled back.
enum class Reading : std::uint8_t {
    Speed,
    Flaps,
    Bank,
    Pitch,
    StickX,
    StickY,
    Power,
    Prop,
    Rudder,
    Brakes,
    AileronTrim,
    ElevatorTrim,
    RudderTrim
};
inline constexpr std::size_t kReadingCount = static_cast<std::size_t>(Reading::RudderTrim) + 1;

// The latest of everything one simulator said; NaN where it has said nothing
// (or cannot), which the panel draws as absent.
struct SimReading {
    static constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();

    std::array<double, kReadingCount> values = Absent();
    std::optional<std::string> aircraft;

    double& operator[](Reading r) { return values[static_cast<std::size_t>(r)]; }
    double operator[](Reading r) const { return values[static_cast<std::size_t>(r)]; }

    static constexpr std::array<double, kReadingCount> Absent()
    {
        std::array<double, kReadingCount> none{};
        none.fill(kAbsent);
        return none;
    }
};

// What became of one datagram or document. Everything but Taken is counted
// and otherwise ignored: nothing of a packet that is dropped is shown.
enum class Verdict : std::uint8_t {
    Taken,
    Short,     // ends before what it announces
    Oversized, // longer than any the interface sends
    WrongId,   // not a packet of this interface
    BadValue,  // a number that is NaN, infinite or far outside its range
    Malformed  // anything else that does not read
};
inline constexpr std::size_t kVerdictCount = static_cast<std::size_t>(Verdict::Malformed) + 1;

// Largest datagram any of the interfaces is read from; longer ones are dropped.
inline constexpr std::size_t kMaxSimDatagram = 4096;

const char* VerdictName(Verdict verdict);

// A 0 ... 1 ratio as the panel's -1 ... 1.
constexpr double FromRatio(double ratio)
{
    return 2.0 * ratio - 1.0;
}

// Whether `value` may be shown: finite and within `limit` of zero. A larger
// magnitude is a corrupt packet, not a flight.
bool Plausible(double value, double limit);

} // namespace vanemark
