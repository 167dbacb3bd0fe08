#pragma once

#include <array>
#include <optional>
#include <string>

namespace vanemark {

// A smooth synthetic flight for the stand-in server: the stick circles, the
// rudder and trims swing, the flaps step through their positions, throttle and
// propeller change, and speed, bank, pitch and the clock move, so a panel
// connected to it visibly lives.
class SimFlight {
public:
    static constexpr int kEngines = 1;

    // Text of a readable id at `seconds` since the flight began; nullopt when
    // the id (or the engine index of a per-engine id) has no value.
    std::optional<std::string> Value(int id, int index, double seconds) const;
    static bool IsPerEngine(int id) { return id >= 62 && id <= 74; }
    // Ids that may be set (the odd ids 81..99 set 80..98).
    static bool IsSettable(int id) { return id >= 81 && id <= 99 && id % 2 == 1; }
    // Ids a network game keeps to itself.
    static bool IsOfflineOnly(int id) { return id >= 28 && id <= 74; }

    // A number as the simulator prints it: the sign, then whole and hundredths
    // each cast to a 32-bit int. A fraction that rounds up to a whole loses its
    // carry (0.997 prints "0.100"), a value just below zero keeps its sign
    // ("-0.00"), NaN casts to "0.00", and a magnitude past the int range stops
    // at its largest value in both parts ("2147483647.2147483647").
    static std::string Print(double value);
    // The clock (id 20) is a float printed the way the simulator's runtime
    // prints one: the shortest digits that read back as the same float, plain
    // from 0.001 to below 10^7 ("12.000557", "0.0"), otherwise scientific
    // ("5.555556E-4").
    static std::string PrintClock(float hours);

    static constexpr const char* kVersion = "2.0 stand-in";
    // The flight changes aircraft every kAircraftSeconds; the second name
    // holds a "/" before a digit, which the server must escape.
    static constexpr std::array<const char*, 2> kAircraftNames{"Trainer Mk.II", "Fighter Mk.V/2b"};
    static constexpr const char* kAircraft = kAircraftNames[0];
    static constexpr double kAircraftSeconds = 30.0;

private:
    static std::optional<double> Number(int id, int index, double t);
};

} // namespace vanemark
