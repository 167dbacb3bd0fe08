#include "ClientTestSupport.h"

#include <set>

namespace vanemark::test {
namespace {

using Datagrams = std::vector<std::string>;

class ProtocolTest : public ManualTickTest {
protected:
    RequestQueue& Queue() { return engine.Queue(); }
};

TEST_F(ProtocolTest, PollSendsOneDatagramPerCommandInFileOrder)
{
    StartClient();
    for (int id : {30, 80, 40}) {
        ASSERT_EQ(client.SubscribeKey(id, 25), 0);
    }
    // The first tick also carries the three queued subscription reads.
    EXPECT_EQ(Tick(), (Datagrams{"R/30", "R/80", "R/40\\2", "R/30/80", "R/40\\2"}));
    EXPECT_EQ(Tick(), (Datagrams{"R/30/80", "R/40\\2"}));

    // Indexed keys first in the file, each a command of its own.
    DeviceLinkClient other;
    detail::ClientEngine& second = DeviceLinkClientAccess::Engine(other);
    other.LoadKeys(dir.Write("indexed.ini", "alt[1] 40 r\nalt[2] 40 r\nspeed 30 r\npower 80 r\n"));
    second.SetTickInterval(std::chrono::hours(1));
    ASSERT_EQ(other.Start("127.0.0.1", server.Port()), 0);
    for (DeviceLinkKey& key : second.Values().Table().Keys()) {
        PollSchedule::Subscribe(key, 25);
    }
    second.OnTick();
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(15)), (Datagrams{"R/40\\0", "R/40\\1", "R/30/80"}));
}

TEST_F(ProtocolTest, LongPollIsSentInPiecesOfAboutTwoHundredFiftySixCharacters)
{
    std::string keys;
    for (int id = 300; id < 400; ++id) {
        keys.append("k").append(std::to_string(id)).append(" ").append(std::to_string(id)).append(" r\n");
    }
    StartClient(keys);
    for (int id = 300; id < 400; ++id) {
        client.SubscribeKey(id, 25);
    }
    Tick();
    const Datagrams polls = Tick();
    ASSERT_GE(polls.size(), 2u);
    std::set<std::string> seen;
    for (const std::string& poll : polls) {
        EXPECT_EQ(poll[0], 'R');
        EXPECT_LE(poll.size(), PollSchedule::kPollSplit + 4);
        for (std::size_t pos = poll.find('/'); pos != std::string::npos; pos = poll.find('/', pos + 1)) {
            EXPECT_TRUE(seen.insert(poll.substr(pos + 1, 3)).second) << "requested twice";
        }
    }
    EXPECT_GT(polls.front().size(), PollSchedule::kPollSplit);
    EXPECT_EQ(seen.size(), 100u);
}

TEST_F(ProtocolTest, QueueingAndImmediateSends)
{
    StartClient();
    EXPECT_EQ(Queue().Send("R/24", false), 0);
    EXPECT_EQ(Queue().Send("R/2", false), 0); // already "in" R/24
    EXPECT_EQ(Queue().Send("R/24", false), 0);
    EXPECT_EQ(Queue().PendingText(), "R/24");
    EXPECT_EQ(Queue().Send("", false), -1);
    EXPECT_EQ(Tick(), Datagrams{"R/24"});
    EXPECT_EQ(Queue().PendingText(), "");

    EXPECT_EQ(Queue().Send("R/30/80R/40\\2", true), 6);
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(30)), (Datagrams{"R/30/80", "R/40\\2"}));

    client.Stop();
    EXPECT_EQ(Queue().Send("R/30", true), -1);
    EXPECT_EQ(Queue().Send("R/30", false), -1);
    EXPECT_TRUE(recorder.HasLine("Sendto: Not connected to the server. Unable to send 'R/30'. \n"));
}

TEST_F(ProtocolTest, FullQueueDropsWholeRequestsAndSendsTheRest)
{
    StartClient();
    constexpr std::size_t kRoom = RequestQueue::kPendingSize - 1;
    Datagrams queued;
    // Long, fixed-width requests: none is part of another, and the few
    // datagrams they make fit the receiving socket's buffer.
    for (int i = 0; Queue().PendingText().size() + 38 <= kRoom; ++i) {
        queued.push_back("R/" + std::string(30, '1') + std::to_string(100000 + i));
        ASSERT_EQ(Queue().Send(queued.back(), false), 0);
    }
    EXPECT_EQ(Queue().Send("R/" + std::string(36, '2'), false), -1);
    EXPECT_TRUE(recorder.HasLine("Send: request queue full"));
    // A request that still fits is taken, up to the last byte.
    queued.push_back("R/" + std::string(kRoom - Queue().PendingText().size() - 2, '7'));
    EXPECT_EQ(Queue().Send(queued.back(), false), 0);
    EXPECT_EQ(Queue().PendingText().size(), kRoom);

    engine.OnTick();
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(300)), queued);
}

TEST_F(ProtocolTest, SubscriptionsAndPollPeriods)
{
    StartClient();
    client.SetHeartbeatId(20);
    EXPECT_EQ(client.SubscribeKey(20, 25), 0);
    EXPECT_FALSE(engine.KeyById(20)->Has(TypedValue::Polled));
    client.SetHeartbeatId(0);                   // keep the heartbeat's reads out of the poll count below
    EXPECT_EQ(client.SubscribeKey(31, 25), -1); // not declared
    EXPECT_EQ(client.SubscribeKey(81, 25), -1); // not readable

    EXPECT_EQ(client.SubscribeKey(30, 500), 0);
    EXPECT_TRUE(engine.KeyById(30)->Has(TypedValue::Polled));
    EXPECT_TRUE(recorder.HasLine("SubscribeKey(): Adding speed to poll\n"));
    std::vector<int> polledAt;
    for (int tick = 1; tick <= 45; ++tick) {
        for (const std::string& datagram : Tick()) {
            if (datagram == "R/30") {
                polledAt.push_back(tick);
            }
        }
    }
    EXPECT_EQ(polledAt, (std::vector<int>{1, 21, 41}));

    EXPECT_EQ(client.SubscribeKey(30, 50), 0); // already polled: new period only
    EXPECT_EQ(client.SubscribeKey(80, 500), 0);
    EXPECT_EQ(client.SetPollInterval(100), 2);
    polledAt.clear();
    for (int tick = 1; tick <= 9; ++tick) {
        for (const std::string& datagram : Tick()) {
            if (datagram == "R/30/80") {
                polledAt.push_back(tick);
            }
        }
    }
    EXPECT_EQ(polledAt, (std::vector<int>{4, 8}));
}

TEST_F(ProtocolTest, TimerCallbackPeriods)
{
    StartClient();
    struct Row {
        int periodMs, startMs;
        std::vector<int> firstCalls; // ticks of the first calls (up to three)
    };
    const Row rows[] = {{500, -1, {1, 21, 41}}, {10, -1, {1, 2, 3}}, {25, 0, {}}, {50, 100, {4, 6, 8}}};
    std::vector<std::vector<int>> calls(std::size(rows));
    std::vector<DeviceLinkClient::TimerCallback*> entries;
    int tick = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        entries.push_back(
            client.AddTimerCallback([&, i] { calls[i].push_back(tick); }, rows[i].periodMs, rows[i].startMs));
    }
    EXPECT_EQ(client.AddTimerCallback(nullptr, 25, -1), nullptr);
    for (tick = 1; tick <= 41; ++tick) {
        engine.OnTick();
    }
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        calls[i].resize(std::min<std::size_t>(calls[i].size(), 3));
        EXPECT_EQ(calls[i], rows[i].firstCalls) << rows[i].periodMs;
    }

    EXPECT_EQ(client.SetTimerPeriod(entries[0], 250), 500);
    EXPECT_EQ(client.SetTimerPeriod(nullptr, 250), -1);
    EXPECT_EQ(client.RemoveTimerCallback(entries[1]), 0);
    EXPECT_EQ(client.RemoveTimerCallback(entries[1]), -1);
    calls.assign(std::size(rows), {});
    for (tick = 42; tick <= 71; ++tick) {
        engine.OnTick();
    }
    EXPECT_EQ(calls[0], (std::vector<int>{61, 71}));
    EXPECT_TRUE(calls[1].empty());
    client.Stop();
    EXPECT_EQ(client.RemoveTimerCallback(entries[0]), 0);
}

} // namespace
} // namespace vanemark::test
