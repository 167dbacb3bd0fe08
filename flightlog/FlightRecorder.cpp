#include "flightlog/FlightRecorder.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <system_error>

namespace vanemark {

namespace {

// Room for the longest shortest form of a double ("-1.7976931348623157e+308").
using NumberBuffer = std::array<char, 32>;

// to_chars is locale-free: a decimal point whatever LC_NUMERIC says.
template <typename T> void AppendNumber(std::string& out, T value)
{
    NumberBuffer buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

// Always quoted, so an aircraft named like a number stays text in a
// spreadsheet; quotes doubled as RFC 4180 has it.
void AppendQuoted(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

// A value the simulator did not send, or a control without an axis, is left
// empty, never made up.
void AppendValues(std::string& out, std::span<const double> values)
{
    for (const double value : values) {
        out.push_back(',');
        if (!std::isnan(value)) {
            AppendNumber(out, value);
        }
    }
}

} // namespace

FlightRecorder::~FlightRecorder()
{
    Close();
}

bool FlightRecorder::Open(const std::filesystem::path& filePath, Clock::time_point now)
{
    Close();
    path = filePath;
    error.clear();
    pending.clear();
    pending.reserve(std::size_t{64} * 1024);
    errno = 0;
    file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return Fail(errno != 0 ? errno : EIO);
    }
    // Rows are gathered in `pending`; a second buffer in stdio would only
    // delay the report of a failed write.
    std::setvbuf(file, nullptr, _IONBF, 0);
    // The header waits for the first write like any row: a file that opens
    // but cannot be written is reported within the first second.
    started = now;
    lastFlush = now;
    pending.append(FlightHeader());
    pending.push_back('\n');
    return true;
}

bool FlightRecorder::Record(std::span<const double, kFlightValueColumns.size()> values, std::string_view aircraft,
                            std::span<const double, kFlightHandColumns.size()> hand, Clock::time_point now)
{
    if (file == nullptr) {
        return false;
    }
    AppendNumber(pending, std::chrono::duration_cast<std::chrono::milliseconds>(now - started).count());
    AppendValues(pending, values);
    pending.push_back(',');
    AppendQuoted(pending, aircraft);
    AppendValues(pending, hand);
    pending.push_back('\n');
    return FlushIfDue(now);
}

bool FlightRecorder::FlushIfDue(Clock::time_point now)
{
    if (file == nullptr) {
        return false;
    }
    return now - lastFlush < kFlushPeriod || Flush(now);
}

bool FlightRecorder::Close()
{
    if (file == nullptr) {
        return error.empty();
    }
    const bool written = Flush(Clock::now());
    if (file != nullptr && std::fclose(file) != 0 && written) {
        file = nullptr;
        return Fail(errno != 0 ? errno : EIO);
    }
    file = nullptr;
    return written;
}

bool FlightRecorder::Flush(Clock::time_point now)
{
    lastFlush = now;
    if (pending.empty()) {
        return true;
    }
    errno = 0;
    const std::size_t written = std::fwrite(pending.data(), 1, pending.size(), file);
    if (written != pending.size()) {
        return Fail(errno != 0 ? errno : EIO);
    }
    pending.clear();
    return true;
}

bool FlightRecorder::Fail(int code)
{
    error = path.string();
    error.append(": ");
    error.append(std::generic_category().message(code));
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
    pending.clear();
    return false;
}

} // namespace vanemark
