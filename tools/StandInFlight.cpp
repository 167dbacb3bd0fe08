#include "tools/StandInFlight.h"

#include "core/NumberText.h"

namespace vanemark {

namespace {

struct Field {
    int id;
    double FlightMoment::*member;
};

constexpr Field kFields[] = {
    {30, &FlightMoment::speedKmh},     {46, &FlightMoment::bank},       {48, &FlightMoment::pitch},
    {42, &FlightMoment::heading},      {80, &FlightMoment::power},      {82, &FlightMoment::flaps},
    {84, &FlightMoment::stickX},       {86, &FlightMoment::stickY},     {88, &FlightMoment::rudder},
    {90, &FlightMoment::brakes},       {92, &FlightMoment::prop},       {94, &FlightMoment::aileronTrim},
    {96, &FlightMoment::elevatorTrim}, {98, &FlightMoment::rudderTrim}, {32, &FlightMoment::climbMs},
    {40, &FlightMoment::altitudeM},    {64, &FlightMoment::rpm},        {66, &FlightMoment::manifold},
    {56, &FlightMoment::gear},
};

constexpr int kAircraftId = 22;

} // namespace

FlightMoment StandInFlight::At(double seconds) const
{
    FlightMoment moment;
    const FlightSample* row = recording ? recording->RowAt(seconds) : nullptr;
    if (recording && row == nullptr) {
        moment.live = false;
        return moment;
    }
    // The text the DeviceLink stand-in would answer, so every simulator shows
    // the very numbers it does; a recorded gap stays a gap.
    const auto text = [&](int id) {
        return row != nullptr && FlightReplay::Records(id) ? FlightReplay::Value(*row, id)
                                                           : flight.Value(id, 0, seconds);
    };
    for (const Field& field : kFields) {
        if (const auto value = text(field.id)) {
            moment.*field.member = ParseDouble(*value);
        }
    }
    moment.aircraft = text(kAircraftId).value_or("");
    return moment;
}

} // namespace vanemark
