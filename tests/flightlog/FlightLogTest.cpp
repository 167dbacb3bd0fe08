// Flight recordings: what the reader takes and where it points at a fault,
// and a recorder that writes by time and stops cleanly at a failed write.
#include "flightlog/FlightLogReader.h"
#include "flightlog/FlightRecorder.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <tuple>

namespace vanemark {
namespace {

using namespace std::chrono_literals;

std::string Row(std::string_view time, std::string_view power, std::string_view aircraft, std::string_view end = "\n")
{
    std::string row(time);
    row.append(",310.5,").append(power).append(",-1,0,0.2,3,-4,0.7,0,-1,0,0,0,").append(aircraft).append(end);
    return row;
}

TEST(FlightLogReader, ReadsRowsAndNamesTheLineOfAFault)
{
    const std::string head = FlightHeader() + "\n";
    // Text, rows read, the error after "flight.csv:".
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        {head + Row("0", "0.55", "Trainer") + Row("25", "1e-3", R"("Bf ""E"", 4/2")"), 2, ""},
        {head + Row("0", "1", "\"a\r\nb\"") + "\n" + Row("30", "1", "c").substr(0, 12), 1, ""}, // cut short: skipped
        {FlightHeader() + "\r\n" + Row("0", "1", "\"a\"", "\r\n") + Row("5", "1", "\"b\"", "\r\n"), 2, ""}, // CR LF
        {head + Row("40", "1", "a") + Row("40", "2", "a"), 2, ""}, // two rows in one millisecond
        {"time_ms,speed_kmh\n" + Row("0", "1", "a"), 0, "1: the header is not " + FlightHeader()},
        {head + Row("0", "1", "a") + "40,1,2\n", 0, "3: 3 fields where the header has 15"},
        {head + Row("50", "1", "a") + Row("20", "1", "a"), 0, "3: time_ms '20' goes back in time"},
        {head + Row("0", "1", "\"a\nb\"") + Row("9.5", "1", "a"), 0, "4: time_ms '9.5' is not a whole number"},
        {head + Row("0", "0,5", "a"), 0, "2: 16 fields where the header has 15"},
        {head + Row("0", "x", "a"), 0, "2: power 'x' is not a number"},
        {head + Row("0", "1", "\"a\"b"), 0, "2: text after the closing quote"},
        {head, 0, "2: no rows after the header"},
    };
    for (const auto& [text, count, fault] : cases) {
        std::vector<FlightSample> rows;
        std::string error;
        EXPECT_EQ(ParseFlightLog(text, "flight.csv", rows, error), fault.empty()) << text;
        EXPECT_EQ(error, fault.empty() ? "" : "flight.csv:" + fault);
        EXPECT_EQ(rows.size(), count) << text;
    }
}

TEST(FlightRecorder, WritesOnceASecondAndStopsAtAFailedWrite)
{
    test::TempDir dir;
    const auto start = FlightRecorder::Clock::now();
    const FlightValues values{};
    const auto lines = [&] { return std::ranges::count(test::TempDir::Read(dir.File("flight.csv")), '\n'); };
    FlightRecorder recorder;
    ASSERT_TRUE(recorder.Open(dir.File("flight.csv"), start));
    EXPECT_TRUE(recorder.Record(values, "a", start + 990ms));
    EXPECT_EQ(lines(), 0);
    EXPECT_TRUE(recorder.FlushIfDue(start + 1s));
    EXPECT_EQ(lines(), 2);

    // Writing into a full device fails at the first write, which ends the recording.
    ASSERT_TRUE(recorder.Open("/dev/full", start));
    EXPECT_TRUE(recorder.Record(values, "a", start + 500ms));
    EXPECT_FALSE(recorder.Record(values, "a", start + 1s));
    EXPECT_EQ(recorder.Error(), "/dev/full: " + std::generic_category().message(ENOSPC));
    EXPECT_FALSE(recorder.IsOpen() || recorder.Record(values, "a", start + 2s));

    EXPECT_FALSE(recorder.Open(dir.File("gone/flight.csv"), start));
    EXPECT_EQ(recorder.Error(), dir.File("gone/flight.csv") + ": " + std::generic_category().message(ENOENT));
}

} // namespace
} // namespace vanemark
