#include "ClientTestSupport.h"

#include <set>

namespace vanemark::test {
namespace {

using Datagrams = std::vector<std::string>;

class ProtocolTest : public ManualTickTest {};

TEST_F(ProtocolTest, PollSendsOneDatagramPerCommandInFileOrder)
{
    StartClient();
    for (int id : {30, 80, 40})
        ASSERT_EQ(client.SubscribeKey(id, 25), 0);
    // The first tick also carries the three queued subscription reads.
    EXPECT_EQ(Tick(), (Datagrams{"R/30", "R/80", "R/40\\2", "R/30/80", "R/40\\2"}));
    EXPECT_EQ(Tick(), (Datagrams{"R/30/80", "R/40\\2"}));
}

TEST_F(ProtocolTest, IndexedKeysFirstInFileAndOnTheirOwn)
{
    StartClient("alt[1] 40 r\nalt[2] 40 r\nspeed 30 r\npower 80 r\n");
    client.SubscribeKey(40, 25); // the first key of id 40
    client.KeyByIdIndex(40, 1)->polled = true;
    Tick();
    EXPECT_EQ(Tick(), (Datagrams{"R/40\\0", "R/40\\1"}));
    client.SubscribeKey(30, 25);
    client.SubscribeKey(80, 25);
    Tick();
    EXPECT_EQ(Tick(), (Datagrams{"R/40\\0", "R/40\\1", "R/30/80"}));
}

TEST_F(ProtocolTest, LongPollIsSentInPiecesOfAboutTwoHundredFiftySixCharacters)
{
    std::string keys;
    for (int id = 300; id < 400; ++id)
        keys += "k" + std::to_string(id) + " " + std::to_string(id) + " r\n";
    StartClient(keys);
    for (int id = 300; id < 400; ++id)
        client.SubscribeKey(id, 25);
    Tick();
    const Datagrams polls = Tick();
    ASSERT_GE(polls.size(), 2u);
    std::set<std::string> seen;
    for (const std::string& poll : polls) {
        EXPECT_EQ(poll[0], 'R');
        EXPECT_LE(poll.size(), DeviceLinkClient::kPollSplit + 4);
        for (std::size_t pos = poll.find('/'); pos != std::string::npos; pos = poll.find('/', pos + 1))
            EXPECT_TRUE(seen.insert(poll.substr(pos + 1, 3)).second) << "requested twice";
    }
    EXPECT_GT(polls.front().size(), DeviceLinkClient::kPollSplit);
    EXPECT_EQ(seen.size(), 100u);
}

TEST_F(ProtocolTest, QueueingAndImmediateSends)
{
    StartClient();
    EXPECT_EQ(client.Send("R/24", false), 0);
    EXPECT_EQ(client.Send("R/2", false), 0); // already "in" R/24
    EXPECT_EQ(client.Send("R/24", false), 0);
    EXPECT_EQ(client.PendingText(), "R/24");
    EXPECT_EQ(client.Send("", false), -1);
    EXPECT_EQ(Tick(), Datagrams{"R/24"});
    EXPECT_EQ(client.PendingText(), "");

    EXPECT_EQ(client.Send("R/30/80R/40\\2", true), 6);
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(30)), (Datagrams{"R/30/80", "R/40\\2"}));

    client.Stop();
    EXPECT_EQ(client.Send("R/30", true), -1);
    EXPECT_EQ(client.Send("R/30", false), -1);
    EXPECT_TRUE(recorder.HasLineStartingWith("Sendto: Not connected to the server. Unable to send 'R/30'. \n"));
}

TEST_F(ProtocolTest, FullQueueDropsWholeRequestsAndSendsTheRest)
{
    StartClient();
    Datagrams queued;
    int failures = 0;
    for (int i = 0; i < 1000 && failures == 0; ++i) {
        // Long, fixed-width requests: none is part of another, and the few
        // datagrams they make fit the receiving socket's buffer.
        const std::string text = "R/" + std::string(30, '1') + std::to_string(100000 + i);
        if (client.Send(text, false) == 0) {
            queued.push_back(text);
        } else {
            ++failures;
        }
    }
    ASSERT_EQ(failures, 1);
    const std::string pending = client.PendingText();
    EXPECT_LE(pending.size(), DeviceLinkClient::kPendingSize - 1);
    EXPECT_GT(pending.size() + queued.back().size(), DeviceLinkClient::kPendingSize - 1); // it was full
    EXPECT_TRUE(pending.ends_with(queued.back())) << "a request was cut";
    EXPECT_TRUE(recorder.HasLineStartingWith("Send: request queue full"));
    // A request that still fits is taken.
    const std::size_t room = DeviceLinkClient::kPendingSize - 1 - pending.size();
    if (room >= 3) {
        const std::string small = "R/" + std::string(room - 2, '7');
        EXPECT_EQ(client.Send(small, false), 0);
        queued.push_back(small);
        EXPECT_EQ(client.PendingText().size(), DeviceLinkClient::kPendingSize - 1);
    }

    client.OnTick();
    Datagrams sent;
    while (auto datagram = server.Receive(std::chrono::milliseconds(500))) {
        sent.push_back(datagram->text);
        if (sent.size() == queued.size())
            break;
    }
    EXPECT_EQ(sent, queued);
}

TEST_F(ProtocolTest, SubscriptionsAndPollPeriods)
{
    StartClient();
    client.SetHeartbeatId(20);
    client.heartbeatTicks = 0; // keep the heartbeat's reads out of this test
    EXPECT_EQ(client.SubscribeKey(20, 25), 0);
    EXPECT_FALSE(client.KeyById(20)->Has(TypedValue::Polled));
    EXPECT_EQ(client.SubscribeKey(31, 25), -1); // not declared
    EXPECT_EQ(client.SubscribeKey(81, 25), -1); // not readable

    EXPECT_EQ(client.SubscribeKey(30, 500), 0);
    EXPECT_EQ(client.KeyById(30)->pollReload, 20);
    EXPECT_TRUE(client.KeyById(30)->Has(TypedValue::Polled));
    EXPECT_TRUE(recorder.HasLineStartingWith("SubscribeKey(): Adding speed to poll\n"));

    std::vector<int> polledAt;
    for (int tick = 1; tick <= 45; ++tick) {
        for (const std::string& datagram : Tick()) {
            if (datagram == "R/30")
                polledAt.push_back(tick);
        }
    }
    EXPECT_EQ(polledAt, (std::vector<int>{1, 21, 41}));

    EXPECT_EQ(client.SubscribeKey(30, 50), 0); // already polled: new period only
    EXPECT_EQ(client.KeyById(30)->pollReload, 2);
    EXPECT_EQ(client.SubscribeKey(80, 500), 0);
    EXPECT_EQ(client.SetPollInterval(100), 2);
    EXPECT_EQ(client.KeyById(80)->pollReload, 4);
    EXPECT_EQ(client.KeyById(80)->pollCountdown, 4);
}

TEST_F(ProtocolTest, TimerCallbackPeriods)
{
    StartClient();
    std::vector<int> slow, fast, never, later;
    int tick = 0;
    auto* slowEntry = client.AddTimerCallback([&] { slow.push_back(tick); }, 500, -1);
    client.AddTimerCallback([&] { fast.push_back(tick); }, 10, -1);
    client.AddTimerCallback([&] { never.push_back(tick); }, 25, 0);
    auto* laterEntry = client.AddTimerCallback([&] { later.push_back(tick); }, 50, 100);
    EXPECT_EQ(client.AddTimerCallback(nullptr, 25, -1), nullptr);

    for (tick = 1; tick <= 41; ++tick)
        client.OnTick();
    EXPECT_EQ(slow, (std::vector<int>{1, 21, 41}));
    EXPECT_EQ(fast.size(), 41u);
    EXPECT_TRUE(never.empty());
    ASSERT_GE(later.size(), 2u);
    EXPECT_EQ(later[0], 4);
    EXPECT_EQ(later[1], 6);

    EXPECT_EQ(client.SetTimerPeriod(slowEntry, 250), 500);
    EXPECT_EQ(client.SetTimerPeriod(nullptr, 250), -1);
    slow.clear();
    for (tick = 42; tick <= 71; ++tick)
        client.OnTick();
    EXPECT_EQ(slow, (std::vector<int>{61, 71}));

    EXPECT_EQ(client.RemoveTimerCallback(laterEntry), 0);
    EXPECT_EQ(client.RemoveTimerCallback(laterEntry), -1);
    const std::size_t calls = later.size();
    client.OnTick();
    client.OnTick();
    EXPECT_EQ(later.size(), calls);
    client.Stop();
    EXPECT_EQ(client.RemoveTimerCallback(slowEntry), 0);
    EXPECT_EQ(client.RemoveTimerCallback(slowEntry), -1);
}

} // namespace
} // namespace vanemark::test
