// A live flight recorded off the client, replayed by the stand-in server
// into a fresh client: the client's values follow the recording, and the
// server falls silent at its end.
#include "devicelink/DeviceLinkClient.h"
#include "flightlog/FlightLogReader.h"
#include "flightlog/FlightRecorder.h"
#include "tools/DeviceLinkSim.h"

#include "../devicelink/LoopbackServer.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace vanemark {
namespace {

void Connect(DeviceLinkClient& client, int port)
{
    ASSERT_GT(client.LoadKeys(VANEMARK_SOURCE_DIR "/res/dlkeys.ini"), 0);
    client.SetHeartbeatId(20);
    ASSERT_EQ(client.Start("127.0.0.1", port), 0);
    client.SubscribeKey(kFlightAircraftColumn.id, 25);
    for (const FlightColumn& column : kFlightValueColumns) {
        client.SubscribeKey(column.id, 25);
    }
}

FlightSample Read(DeviceLinkClient& client)
{
    FlightSample sample;
    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
        client.GetKeyDouble(kFlightValueColumns[i].id, sample.values[i], 0);
    }
    client.GetKeyText(kFlightAircraftColumn.id, sample.aircraft, 0);
    return sample;
}

TEST(FlightReplay, AClientFollowsARecordedFlightThenSeesTheServerGo)
{
    const test::TempDir dir;
    const std::string aircraft = R"(Bf "Emil", 4/2)"; // quoted in the file, escaped on the wire
    DeviceLinkSim live({.port = 0});
    std::string error;
    ASSERT_EQ(live.Start(error), 0) << error;
    live.SetValue(kFlightAircraftColumn.id, aircraft);
    {
        DeviceLinkClient client;
        Connect(client, live.Port());
        FlightRecorder recorder;
        ASSERT_TRUE(recorder.Open(dir.File("flight.csv")));
        // Speeds in steps the synthetic flight never shows, so a replay that
        // ignored the recording could not pass.
        for (int i = 0; i < 60; ++i) {
            live.SetValue(30, std::to_string(100 + i / 20));
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            if (client.IsConnected()) {
                const FlightSample sample = Read(client);
                recorder.Record(sample.values, sample.aircraft, sample.hand);
            }
        }
        ASSERT_TRUE(recorder.Close()) << recorder.Error();
    }
    std::vector<FlightSample> rows;
    ASSERT_TRUE(ReadFlightLog(dir.File("flight.csv"), rows, error)) << error;
    std::vector<std::set<double>> recorded(kFlightValueColumns.size());
    for (const FlightSample& row : rows) {
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            recorded[i].insert(row.values[i]);
        }
    }

    const auto recording = std::make_shared<FlightReplay>(rows, false, 1.0);
    DeviceLinkSim replay({.port = 0, .replay = recording});
    ASSERT_EQ(replay.Start(error), 0) << error;
    DeviceLinkClient client;
    Connect(client, replay.Port());
    std::vector<double> speeds; // each new one the client shows
    bool sawAircraft = false;
    double fastest = 0.0; // replies per second
    ASSERT_TRUE(test::WaitUntil([&] { return client.IsConnected(); }));
    // A slow machine may drop the link for a moment: the values are checked
    // while it stands, to the end of the recording.
    while (replay.Seconds() * 1000.0 < static_cast<double>(recording->LengthMs())) {
        const FlightSample shown = Read(client);
        for (std::size_t i = 0; i < shown.values.size(); ++i) {
            // Zero (and the aircraft "0") until the first answer after connecting.
            EXPECT_TRUE(shown.values[i] == 0.0 || recorded[i].contains(shown.values[i]))
                << kFlightValueColumns[i].name << " " << shown.values[i];
        }
        EXPECT_TRUE(shown.aircraft.empty() || shown.aircraft == "0" || shown.aircraft == aircraft) << shown.aircraft;
        sawAircraft = sawAircraft || shown.aircraft == aircraft;
        if (shown.values[0] != 0.0 && (speeds.empty() || speeds.back() != shown.values[0])) {
            speeds.push_back(shown.values[0]);
        }
        fastest = std::max(fastest, client.Status().repliesPerSecond);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(std::pair(speeds, sawAircraft), std::pair(std::vector<double>{100.0, 101.0, 102.0}, true));
    // Then the server falls silent and the client sees it go.
    EXPECT_TRUE(test::WaitUntil([&] { return !client.IsConnected(); }));
    const DeviceLinkClient::LinkStatus status = client.Status();
    EXPECT_TRUE(status.sinceLastReply.has_value() && fastest > 10.0) << fastest;
}

// The replay's own clock: at rate 2 each row comes at half its recorded time, of two rows in one
// millisecond the later holds, and the last row lasts the rows' average gap (200 / 3 ms) before
// a loop starts over. The speed is the row's number.
TEST(FlightReplay, RateLengthLoopAndRowsSharingAMillisecond)
{
    const std::vector<FlightSample> rows{{0, {0.0}, ""}, {100, {1.0}, ""}, {200, {2.0}, ""}, {200, {3.0}, ""}};
    const FlightReplay normal(rows, false, 1.0), twice(rows, false, 2.0), looped(rows, true, 1.0);
    const auto speed = [](const FlightSample* row) { return row != nullptr ? row->values[0] : -1.0; };
    for (const double seconds : {0.0, 0.04, 0.05, 0.099, 0.1, 0.12, 0.14}) {
        EXPECT_EQ(speed(twice.RowAt(seconds)), speed(normal.RowAt(2 * seconds))) << seconds;
    }
    EXPECT_EQ(
        std::tuple(speed(normal.RowAt(0.199)), speed(normal.RowAt(0.2)), normal.LengthMs(), speed(looped.RowAt(0.4))),
        std::tuple(1.0, 3.0, 200 + 200 / 3, 1.0));
}

} // namespace
} // namespace vanemark
