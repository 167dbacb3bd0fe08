// The client's thread in real time: ticks on a grid that does not drift,
// and no wake-up without work.
#include "ClientTestSupport.h"

#include "devicelink/TickGrid.h"

#include <atomic>
#include <thread>

namespace vanemark::test {
namespace {

TEST(TickGrid, MomentsComeFromTheOriginAndAStallDropsTheTicksItMissed)
{
    using Ms = std::chrono::milliseconds;
    const TickGrid::Clock::time_point origin{std::chrono::hours(1)};
    struct Row {
        int droppedAfter; // -1: nothing dropped
        int nowMs;
        std::uint64_t passed;
        int nextMomentMs; // of the tick after `passed`
    };
    const Row rows[] = {{-1, -5, 0, 25},  {-1, 24, 0, 25},  {-1, 25, 1, 50}, {-1, 10'000, 400, 10'025},
                        {4, 230, 4, 250}, {9, 230, 9, 250}, {4, 110, 4, 125}};
    for (const Row& row : rows) {
        TickGrid grid(origin, Ms(25));
        if (row.droppedAfter >= 0) {
            grid.DropMissedAfter(row.droppedAfter, origin + Ms(row.nowMs));
        }
        EXPECT_EQ(grid.Passed(origin + Ms(row.nowMs)), row.passed) << row.nowMs;
        EXPECT_EQ(grid.Moment(row.passed + 1), origin + Ms(row.nextMomentMs)) << row.nowMs;
    }
}

// At the application's settings and a silent server, the thread wakes only
// for the poll, which carries the heartbeat read (one period of 500 ms for
// both), not every 25 ms; a client with nothing to do does not wake at all,
// and Stop still ends it at once.
TEST(ClientThread, WakesOnlyForWork)
{
    TempDir dir;
    LoopbackServer server;
    const std::string keys = dir.Write("keys.ini", "clock 20 r i\nspeed 30 r d\npower 80 r d\n");
    DeviceLinkClient busy;
    DeviceLinkClient idle;
    std::atomic<int> cycles{0};
    ASSERT_GT(busy.LoadKeys(keys), 0);
    busy.AddTimerCallback([&cycles] { cycles.fetch_add(1); }, 500, -1);
    busy.SetHeartbeatId(20);
    busy.SetAutoRequest(true);
    ASSERT_EQ(busy.Start("127.0.0.1", server.Port()), 0);
    ASSERT_EQ(idle.Start("127.0.0.1", server.Port()), 0);
    busy.SubscribeKey(30, 500);
    busy.SubscribeKey(80, 500);
    const std::vector<std::string> sent = server.Collect(std::chrono::seconds(2));
    EXPECT_LE(DeviceLinkClientAccess::Engine(busy).Wakeups(), 10u);
    EXPECT_EQ(DeviceLinkClientAccess::Engine(idle).Wakeups(), 0u);
    EXPECT_GE(cycles.load(), 3);
    EXPECT_GE(std::ranges::count(sent, "R/30/80/20"), 3);
    EXPECT_EQ(std::ranges::count(sent, "R/20"), 0);
    idle.Stop();
    EXPECT_FALSE(idle.IsStarted());
}

// A callback holds the thread for ten ticks, which are dropped: within a tick after
// it run at most the late tick and the next one, not a burst making up the rest.
TEST(ClientThread, TicksMissedDuringAStallAreDropped)
{
    constexpr std::chrono::milliseconds tick(10);
    DeviceLinkClient client;
    DeviceLinkClientAccess::Engine(client).SetTickInterval(tick);
    auto stallEnd = TickGrid::Clock::time_point::max(); // the tick thread's
    std::atomic<int> calls{0}, soonAfter{0};
    const auto call = [&] {
        const auto now = TickGrid::Clock::now();
        soonAfter += now >= stallEnd && now - stallEnd < tick ? 1 : 0;
        if (++calls == 4) {
            std::this_thread::sleep_for(10 * tick);
            stallEnd = TickGrid::Clock::now();
        }
    };
    client.AddTimerCallback(call, PollSchedule::kTickMs, -1);
    ASSERT_EQ(client.Start("127.0.0.1", 9), 0); // nobody there: only the callback has work
    ASSERT_TRUE(WaitUntil([&] { return calls.load() >= 10; }));
    client.Stop();
    EXPECT_LE(soonAfter.load(), 2);
}

} // namespace
} // namespace vanemark::test
