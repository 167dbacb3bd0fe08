// Flight recordings: what the reader takes (with the hand columns or from
// before them) and where it points at a fault, the hand written after the
// aircraft and read back, and a recorder that writes by time and stops
// cleanly at a failed write.
#include "flightlog/FlightLogReader.h"
#include "flightlog/FlightRecorder.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <system_error>
#include <tuple>

namespace vanemark {
namespace {

using namespace std::chrono_literals;

// The nine hand fields after the aircraft: some read, most empty.
constexpr std::string_view kHand = ",0.25,,-1,1e-3,,,,,0";
constexpr std::size_t kHandKnown = 4;
// The header of recordings made before the hand columns.
constexpr std::string_view kHeadWithoutHand =
    "time_ms,speed_kmh,power,flaps,rudder,prop,bank,pitch,stick_x,stick_y,brakes,aileron_trim,elevator_trim,"
    "rudder_trim,aircraft\n";

std::string Row(std::string_view time, std::string_view power, std::string_view aircraft, std::string_view end = "\n",
                std::string_view hand = kHand)
{
    std::string row(time);
    row.append(",310.5,").append(power).append(",-1,0,0.2,3,-4,0.7,0,-1,0,0,0,").append(aircraft).append(hand);
    return row.append(end);
}

TEST(FlightLogReader, ReadsRowsAndNamesTheLineOfAFault)
{
    const std::string head = FlightHeader() + "\n";
    const std::string old(kHeadWithoutHand);
    // Text, rows read, hand values known in the last row, the error after "flight.csv:".
    const std::tuple<std::string, std::size_t, std::size_t, std::string> cases[] = {
        {head + Row("0", "0.55", "Trainer") + Row("25", "1e-3", R"("Bf ""E"", 4/2")"), 2, kHandKnown, ""},
        {head + Row("0", "1", "\"a\r\nb\"") + "\n" + Row("30", "1", "c").substr(0, 12), 1, kHandKnown, ""}, // cut short
        {head + Row("0", "1", "a") + Row("30", "1", "b", "").substr(0, 45), 1, kHandKnown, ""}, // cut in the hand
        {FlightHeader() + "\r\n" + Row("0", "1", "\"a\"", "\r\n") + Row("5", "1", "\"b\"", "\r\n"), 2, kHandKnown,
         ""},                                                                  // CR LF
        {head + Row("40", "1", "a") + Row("40", "2", "a"), 2, kHandKnown, ""}, // two rows in one millisecond
        {head + Row("0", "1", "\",a\"", "\n", ",,,,,,,,,"), 1, 0, ""},         // no joystick
        {old + Row("0", "1", "\"a,\"\"1\"", "\n", "") + Row("9", "1", "b", "\n", ""), 2, 0, ""}, // before the hand
        {"time_ms,speed_kmh\n" + Row("0", "1", "a"), 0, 0, "1: the header is not " + FlightHeader()},
        {FlightHeader().append(",hand_extra\n") + Row("0", "1", "a"), 0, 0, "1: the header is not " + FlightHeader()},
        {old.substr(0, old.size() - 1) + ",hand_stick_x\n" + Row("0", "1", "a"), 0, 0,
         "1: the header is not " + FlightHeader()},
        {head + Row("0", "1", "a") + "40,1,2\n", 0, 0, "3: 3 fields where the header has 24"},
        {head + Row("0", "1", "a", "\n", ""), 0, 0, "2: 15 fields where the header has 24"},
        {old + Row("0", "1", "a"), 0, 0, "2: 24 fields where the header has 15"},
        {head + Row("50", "1", "a") + Row("20", "1", "a"), 0, 0, "3: time_ms '20' goes back in time"},
        {head + Row("0", "1", "\"a\nb\"") + Row("9.5", "1", "a"), 0, 0, "4: time_ms '9.5' is not a whole number"},
        {head + Row("0", "0,5", "a"), 0, 0, "2: 25 fields where the header has 24"},
        {head + Row("0", "x", "a"), 0, 0, "2: power 'x' is not a number"},
        {head + Row("0", "1", "a", "\n", ",,,,,,0.5x,,,"), 0, 0, "2: hand_brakes '0.5x' is not a number"},
        {head + Row("0", "1", "\"a\"b"), 0, 0, "2: text after the closing quote"},
        {head, 0, 0, "2: no rows after the header"},
    };
    for (const auto& [text, count, handKnown, fault] : cases) {
        std::vector<FlightSample> rows;
        std::string error;
        EXPECT_EQ(ParseFlightLog(text, "flight.csv", rows, error), fault.empty()) << text;
        EXPECT_EQ(error, fault.empty() ? "" : "flight.csv:" + fault);
        EXPECT_EQ(rows.size(), count) << text;
        if (!rows.empty()) {
            const auto known = std::ranges::count_if(rows.back().hand, [](double v) { return !std::isnan(v); });
            EXPECT_EQ(static_cast<std::size_t>(known), handKnown) << text;
        }
    }
}

// Whatever the aircraft's name holds, the hand after it reads back as it
// was written: each value exactly, a control without an axis empty and NaN.
TEST(FlightRecorder, WritesTheHandAfterTheAircraftAndReadsItBack)
{
    test::TempDir dir;
    const auto start = FlightRecorder::Clock::now();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const FlightHand hand{0.25, kNaN, -1.0, 1e-3, kNaN, kNaN, kNaN, kNaN, 0.0};
    FlightValues values{};
    values[2] = kNaN;
    EXPECT_EQ(FlightHeader(), std::string(kHeadWithoutHand.substr(0, kHeadWithoutHand.size() - 1)) +
                                  ",hand_stick_x,hand_stick_y,hand_rudder,hand_power,hand_prop,hand_brakes,"
                                  "hand_aileron_trim,hand_elevator_trim,hand_rudder_trim");
    for (const std::string_view aircraft : {"", "Bf \"E\", 4/2", "a\r\nb,", "\"", "1,2,3,4,5,6,7,8,9"}) {
        FlightRecorder recorder;
        ASSERT_TRUE(recorder.Open(dir.File("flight.csv"), start));
        EXPECT_TRUE(recorder.Record(values, aircraft, hand, start));
        EXPECT_TRUE(recorder.Record(values, aircraft, NoFlightHand(), start + 25ms));
        ASSERT_TRUE(recorder.Close()) << recorder.Error();
        const std::string text = test::TempDir::Read(dir.File("flight.csv"));
        EXPECT_NE(text.find("\",0.25,,-1,0.001,,,,,0\n25,"), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with("\",,,,,,,,,\n")) << text;

        std::vector<FlightSample> rows;
        std::string error;
        ASSERT_TRUE(ReadFlightLog(dir.File("flight.csv"), rows, error)) << error;
        ASSERT_EQ(rows.size(), 2U) << text;
        for (std::size_t i = 0; i < hand.size(); ++i) {
            EXPECT_TRUE(rows[0].hand[i] == hand[i] || (std::isnan(rows[0].hand[i]) && std::isnan(hand[i]))) << i;
            EXPECT_TRUE(std::isnan(rows[1].hand[i])) << i;
        }
        EXPECT_TRUE(std::isnan(rows[0].values[2]) && rows[0].values[3] == 0.0);
        EXPECT_EQ(std::pair(rows[0].aircraft, rows[1].timeMs), std::pair(std::string(aircraft), std::int64_t{25}));
    }
}

TEST(FlightRecorder, WritesOnceASecondAndStopsAtAFailedWrite)
{
    test::TempDir dir;
    const auto start = FlightRecorder::Clock::now();
    const FlightValues values{};
    const FlightHand hand = NoFlightHand();
    const auto lines = [&] { return std::ranges::count(test::TempDir::Read(dir.File("flight.csv")), '\n'); };
    FlightRecorder recorder;
    ASSERT_TRUE(recorder.Open(dir.File("flight.csv"), start));
    EXPECT_TRUE(recorder.Record(values, "a", hand, start + 990ms));
    EXPECT_EQ(lines(), 0);
    EXPECT_TRUE(recorder.FlushIfDue(start + 1s));
    EXPECT_EQ(lines(), 2);

    // Writing into a full device fails at the first write, which ends the recording.
    ASSERT_TRUE(recorder.Open("/dev/full", start));
    EXPECT_TRUE(recorder.Record(values, "a", hand, start + 500ms));
    EXPECT_FALSE(recorder.Record(values, "a", hand, start + 1s));
    EXPECT_EQ(recorder.Error(), "/dev/full: " + std::generic_category().message(ENOSPC));
    EXPECT_FALSE(recorder.IsOpen() || recorder.Record(values, "a", hand, start + 2s));

    EXPECT_FALSE(recorder.Open(dir.File("gone/flight.csv"), start));
    EXPECT_EQ(recorder.Error(), dir.File("gone/flight.csv") + ": " + std::generic_category().message(ENOENT));
}

} // namespace
} // namespace vanemark
