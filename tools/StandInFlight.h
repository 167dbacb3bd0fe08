#pragma once

#include "tools/FlightReplay.h"
#include "tools/SimFlight.h"

#include <limits>
#include <memory>
#include <string>
#include <utility>

namespace vanemark {

// One moment of the flight the stand-ins fly, in the panel's units: km/h,
// degrees, and -1..1 for the controls (flaps -1 retracted, brakes -1
// released). NaN where the replay holds no value.
struct FlightMoment {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    bool live = true; // false once a replay without loop has ended: the simulator is gone
    double speedKmh = kNone;
    double bank = kNone;
    double pitch = kNone;
    double heading = kNone; // degrees, 0..360
    double power = kNone;
    double flaps = kNone;
    double stickX = kNone;
    double stickY = kNone;
    double rudder = kNone;
    double brakes = kNone;
    double prop = kNone;
    double aileronTrim = kNone;
    double elevatorTrim = kNone;
    double rudderTrim = kNone;
    // Instruments the other simulators send besides the controls.
    double climbMs = kNone;
    double altitudeM = kNone;
    double rpm = kNone;
    double manifold = kNone;
    double gear = kNone;  // 0 up .. 1 down
    std::string aircraft; // empty: unknown
};

// The values every stand-in sends, taken as the DeviceLink stand-in answers
// them: from the replay's row for the ids a recording holds, from the
// synthetic flight for the rest, so that all simulators fly the same flight.
class StandInFlight {
public:
    explicit StandInFlight(std::shared_ptr<const FlightReplay> replay = nullptr) : recording(std::move(replay)) {}

    FlightMoment At(double seconds) const;

private:
    SimFlight flight;
    std::shared_ptr<const FlightReplay> recording;
};

} // namespace vanemark
