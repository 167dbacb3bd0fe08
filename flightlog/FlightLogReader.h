#pragma once

#include "flightlog/FlightColumns.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

// Reads a flight recording back. The header must name the columns of
// FlightColumns.h in their order, with or without the hand columns (a
// recording made before them: its hand reads NaN); every row needs each
// column its header names, time_ms a whole number that never goes back,
// each value a number or empty (NaN). Line ends LF or CR LF; fields plain or
// quoted as RFC 4180 has it.
//
// A last line without its line end that does not read is skipped: a
// recording stopped by a crash or a full disk ends that way, and everything
// before it is still good. Anything else malformed fails the whole file with
// one message "FILE:LINE: reason".
bool ReadFlightLog(const std::filesystem::path& path, std::vector<FlightSample>& rows, std::string& error);

// The same for text in memory; `name` stands for the file in messages.
bool ParseFlightLog(std::string_view text, std::string_view name, std::vector<FlightSample>& rows, std::string& error);

} // namespace vanemark
