#include "tools/FlightReplay.h"

#include "tools/SimFlight.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vanemark {

FlightReplay::FlightReplay(std::vector<FlightSample> samples, bool loopAtEnd, double speed)
    : rows(std::move(samples)), loop(loopAtEnd), rate(speed)
{
    if (rows.size() > 1) {
        const std::int64_t span = rows.back().timeMs - rows.front().timeMs;
        lengthMs = rows.back().timeMs + span / static_cast<std::int64_t>(rows.size() - 1);
    } else if (!rows.empty()) {
        lengthMs = rows.back().timeMs;
    }
    lengthMs = std::max<std::int64_t>(lengthMs, 1);
}

const FlightSample* FlightReplay::RowAt(double seconds) const
{
    if (rows.empty()) {
        return nullptr;
    }
    double ms = seconds * 1000.0 * rate;
    if (ms >= static_cast<double>(lengthMs)) {
        if (!loop) {
            return nullptr;
        }
        ms = std::fmod(ms, static_cast<double>(lengthMs));
    }
    const auto after = std::upper_bound(rows.begin(), rows.end(), ms, [](double at, const FlightSample& row) {
        return at < static_cast<double>(row.timeMs);
    });
    return after == rows.begin() ? &rows.front() : &*(after - 1);
}

std::optional<std::string> FlightReplay::Value(const FlightSample& row, int id)
{
    if (id == kFlightAircraftColumn.id) {
        return row.aircraft.empty() ? std::nullopt : std::optional(row.aircraft);
    }
    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
        if (kFlightValueColumns[i].id == id) {
            return std::isnan(row.values[i]) ? std::nullopt : std::optional(SimFlight::Print(row.values[i]));
        }
    }
    return std::nullopt;
}

bool FlightReplay::Records(int id)
{
    return id == kFlightAircraftColumn.id ||
           std::ranges::any_of(kFlightValueColumns, [id](const FlightColumn& column) { return column.id == id; });
}

} // namespace vanemark
