#pragma once

#include "flightlog/FlightColumns.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vanemark {

// Writes a flight as CSV: the header line, then one row per Record. Rows are
// gathered in memory and written when the last write is a second old, so a
// cycle costs only its formatting and a crash loses at most about a second.
// The first failed write ends the recording: the file is closed with every
// whole row written so far, and Error() names the file and the reason.
// Not thread-safe: one owner records.
class FlightRecorder {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kFlushPeriod = std::chrono::seconds(1);

    FlightRecorder() = default;
    ~FlightRecorder();
    FlightRecorder(const FlightRecorder&) = delete;
    FlightRecorder& operator=(const FlightRecorder&) = delete;

    // Creates or empties the file and writes the header; time_ms counts from
    // `now`. Closes a recording still open first. false with Error().
    bool Open(const std::filesystem::path& path, Clock::time_point now = Clock::now());
    // One row at `now`; a NaN value or hand is left empty. false when not
    // recording or when the write failed (the recording has then stopped).
    bool Record(std::span<const double, kFlightValueColumns.size()> values, std::string_view aircraft,
                std::span<const double, kFlightHandColumns.size()> hand, Clock::time_point now = Clock::now());
    // For cycles that record no row: writes what waits once it is due.
    bool FlushIfDue(Clock::time_point now = Clock::now());
    // Writes what waits and closes; false when that write failed.
    bool Close();

    bool IsOpen() const { return file != nullptr; }
    const std::filesystem::path& Path() const { return path; }
    // "FILE: reason" of the failure that ended the recording; empty without one.
    const std::string& Error() const { return error; }

private:
    bool Flush(Clock::time_point now);
    bool Fail(int code);

    std::FILE* file = nullptr;
    std::filesystem::path path;
    std::string pending; // rows not yet written; keeps its capacity between writes
    std::string error;
    Clock::time_point started;
    Clock::time_point lastFlush;
};

} // namespace vanemark
