#pragma once

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

    static constexpr const char* kVersion = "2.0 stand-in";
    static constexpr const char* kAircraft = "Trainer Mk.II";

private:
    static std::optional<double> Number(int id, int index, double t);
};

} // namespace vanemark
