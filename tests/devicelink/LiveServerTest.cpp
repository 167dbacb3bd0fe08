// The client on its own tick thread against the stand-in server.
#include "ClientTestSupport.h"

#include "tools/DeviceLinkSim.h"

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vanemark::test {
namespace {

class LiveServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_EQ(sim.Start(error), 0) << error;
        ASSERT_GT(client.LoadKeys(VANEMARK_SOURCE_DIR "/res/dlkeys.ini"), 0);
        client.AddEventSink([this](int event, std::uint32_t) { ++events[event]; }, 7);
        client.SetHeartbeatId(20);
        client.SetAutoRequest(true);
    }
    void StartAndSubscribe(int intervalMs)
    {
        ASSERT_EQ(client.Start("127.0.0.1", sim.Port()), 0);
        for (int id : {20, 30, 80, 82, 84, 86, 88, 48, 46, 92, 90, 42, 94, 96, 98}) {
            client.SubscribeKey(id, intervalMs);
        }
    }
    double Value(int id)
    {
        double value = 0.0;
        client.GetKeyDouble(id, value, 0);
        return value;
    }

    DeviceLinkSim sim{DeviceLinkSimOptions{.port = 0}};
    std::array<std::atomic<int>, 8> events{}; // how many of each, counted on the tick thread
    DeviceLinkClient client;
    detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
};

TEST_F(LiveServerTest, CacheFollowsTheServerAndHeartbeatTracksIt)
{
    StartAndSubscribe(50);
    std::string title;
    ASSERT_TRUE(WaitUntil([&] {
        client.GetKeyText(22, title, 0);
        return title == SimFlight::kAircraft;
    })) << title;
    EXPECT_TRUE(WaitUntil([&] { return engine.Values().ClockSeconds() >= 36000; }));
    sim.SetValue(30, "123.5");
    EXPECT_TRUE(WaitUntil([&] { return Value(30) == 123.5; }));

    sim.SetSilent(true);
    ASSERT_TRUE(WaitUntil([&] { return events[DeviceLinkClient::Disconnected] == 1; }));
    EXPECT_EQ(engine.Values().Flags(*engine.KeyById(30)) & TypedValue::Received, 0u);
    EXPECT_EQ(events[DeviceLinkClient::Connected].load(), 1);
    sim.SetSilent(false);
    ASSERT_TRUE(WaitUntil([&] { return events[DeviceLinkClient::Connected] == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return Value(30) == 123.5; }));
    EXPECT_TRUE(WaitUntil([&] { return events[DeviceLinkClient::Key22Received] >= 2; })); // same title again
}

// What pilots meet that a plain flight never shows, through the client's own
// thread: keys the simulator stops sending read as absent once silent for a
// second, and the status tells an online mission from a pilot out of the
// cockpit; the aircraft is followed when it comes late and when it changes;
// the clock arrives in its Java float forms.
TEST_F(LiveServerTest, SimulatorBehaviours)
{
    sim.SetReadable(22, false); // a late aircraft: none yet when the link comes
    StartAndSubscribe(25);
    ASSERT_TRUE(WaitUntil([&] { return client.IsConnected() && Value(80) != 0.0; }));
    EXPECT_EQ(client.Status().aircraft, "");
    const auto silence = [&] { return client.Status().silence; };
    const auto absent = [&](std::int32_t id) {
        std::optional<double> value;
        client.ReadKeys(std::span(&id, 1), std::span(&value, 1));
        return !value.has_value();
    };
    struct Row {
        const char* name;
        std::function<void()> act;
        std::function<bool()> holds;
    };
    const Row rows[] = {
        {"late aircraft", [&] { sim.SetReadable(22, true); },
         [&] { return client.Status().aircraft == SimFlight::kAircraft; }},
        {"online mission",
         [&] {
             for (int id = 28; id <= 74; ++id) {
                 sim.SetReadable(id, false);
             }
         },
         [&] {
             return silence() == LinkSilence::FlightKeys && client.Status().silentKeys == std::vector{30, 42, 46, 48} &&
                    absent(30) && !absent(80);
         }},
        {"back online",
         [&] {
             for (int id = 28; id <= 74; ++id) {
                 sim.SetReadable(id, true);
             }
         },
         [&] { return silence() == LinkSilence::None && !absent(30); }},
        {"not in the cockpit", [&] { sim.SetInCockpit(false); },
         [&] { return silence() == LinkSilence::NotInCockpit && client.IsConnected() && absent(80); }},
        {"back in another aircraft",
         [&] {
             sim.SetValue(22, "Second Mk.III");
             sim.SetInCockpit(true);
         },
         [&] { return silence() == LinkSilence::None && client.Status().aircraft == "Second Mk.III"; }},
        {"clock in exponent form", [&] { sim.SetValue(20, "5.555556E-4"); },
         [&] { return engine.Values().ClockSeconds() == 2; }},
        {"clock with six decimals", [&] { sim.SetValue(20, "12.000557"); },
         [&] { return engine.Values().ClockSeconds() == 43202; }},
    };
    for (const Row& row : rows) {
        row.act();
        EXPECT_TRUE(WaitUntil(row.holds, std::chrono::seconds(8))) << row.name;
    }
    EXPECT_TRUE(client.IsConnected());
}

// A key without a value is read first, by requests every 10 ms for up to
// 1.5 s; the cached value is given either way.
TEST_F(LiveServerTest, SynchronousReads)
{
    sim.SetReadable(20, false); // no connection, so no poll
    ASSERT_EQ(client.Start("127.0.0.1", sim.Port()), 0);
    sim.SetValue(40, "1234.5");
    double value = -1.0;
    EXPECT_EQ(client.GetKeyDouble(40, value, 0), 0); // not asked for: the cached zero, at once
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(client.GetKeyDouble(40, value, 1), 0);
    EXPECT_EQ(value, 1234.5);

    sim.SetReadable(32, false);
    const std::uint64_t before = sim.Requests();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.GetKeyDouble(32, value, 1), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(waited >= std::chrono::milliseconds(1500) && waited < std::chrono::seconds(6));
    EXPECT_GE(sim.Requests() - before, 30u); // fewer than 150 on a loaded machine
}

// The server answers every request datagram, so a reply read late would
// pile up behind the next. The tick thread runs on a 2 ms grid here: a
// backlog grows per tick, not per second, so 2400 ticks stand for a minute
// of 25 ms ticks.
TEST_F(LiveServerTest, ValuesStayFreshAfterAMinuteOfShortestInterval)
{
    engine.SetTickInterval(std::chrono::milliseconds(2));
    StartAndSubscribe(25);
    ASSERT_TRUE(WaitUntil([&] { return events[DeviceLinkClient::Connected] >= 1; }));
    ASSERT_TRUE(WaitUntil([&] { return engine.TickCount() >= 2400; }, std::chrono::seconds(90)));
    for (const char* speed : {"777.25", "555.5"}) {
        sim.SetValue(30, speed);
        const std::uint64_t changedAt = engine.TickCount();
        ASSERT_TRUE(WaitUntil([&] { return Value(30) == std::stod(speed); }));
        EXPECT_LE(engine.TickCount() - changedAt, 25u) << "the cache lags behind the server";
    }
}

// Restarts while ticks run, a registration between, and a Stop from a callback on the tick thread:
// no callback runs after Stop.
TEST_F(LiveServerTest, StartAndStopManyTimesAlsoFromACallback)
{
    std::atomic<int> calls{0};
    std::atomic<bool> stopInside{false};
    std::atomic<int> startInside{1};
    client.AddTimerCallback(
        [&] {
            if (calls.fetch_add(1) == 0) {
                startInside = client.Start("127.0.0.1", sim.Port());
            }
            if (stopInside.load()) {
                client.Stop();
            }
        },
        25, -1);
    engine.SetTickInterval(std::chrono::milliseconds(5));
    for (int round = 0; round < 20; ++round) {
        stopInside = round % 5 == 4;
        ASSERT_EQ(client.Start("127.0.0.1", sim.Port()), 0);
        client.SubscribeKey(30, 25);
        const std::uint64_t ticks = engine.TickCount();
        ASSERT_TRUE(WaitUntil([&] { return engine.TickCount() >= ticks + 3 || !client.IsStarted(); }));
        Value(30); // reads the cache while the tick thread writes it
        EXPECT_EQ(client.RemoveEventSink(client.AddEventSink([](int, std::uint32_t) {}, 7)), 0);
        if (stopInside) {
            ASSERT_TRUE(WaitUntil([&] { return !client.IsStarted(); }));
        } else {
            EXPECT_EQ(client.Stop(), 0);
        }
        const int after = calls.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(12));
        EXPECT_EQ(calls.load(), after) << "a callback ran after Stop, round " << round;
    }
    EXPECT_EQ(startInside.load(), -1) << "a Start from a callback";
}

} // namespace
} // namespace vanemark::test
