#pragma once

#include "flightlog/FlightColumns.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vanemark {

// A recorded flight played back against the clock: which row is in force a
// given time into the replay, at `rate` times the recorded speed, once or
// round and round.
class FlightReplay {
public:
    // samples: as the reader returns them, at least one, times never going back.
    FlightReplay(std::vector<FlightSample> samples, bool loopAtEnd, double speed);

    // The row in force `seconds` into the replay; nullptr once a replay
    // without loop has run past its end.
    const FlightSample* RowAt(double seconds) const;
    // The recorded text for `id` in `row`, printed as the simulator prints;
    // nullopt for ids the recording does not hold and for values left empty
    // (the simulator did not send them then).
    static std::optional<std::string> Value(const FlightSample& row, int id);
    // Whether a recording holds a column for `id`.
    static bool Records(int id);

    std::size_t Rows() const { return rows.size(); }
    // The last row lasts as long as the rows before it did on average.
    std::int64_t LengthMs() const { return lengthMs; }

private:
    std::vector<FlightSample> rows;
    bool loop;
    double rate;
    std::int64_t lengthMs = 1;
};

} // namespace vanemark
