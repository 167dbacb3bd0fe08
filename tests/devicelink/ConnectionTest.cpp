#include "ClientTestSupport.h"

#include <atomic>

namespace vanemark::test {
namespace {

using Datagrams = std::vector<std::string>;
using Events = std::vector<int>;
constexpr int kConnected = DeviceLinkClient::Connected;
constexpr int kDisconnected = DeviceLinkClient::Disconnected;

bool Contains(const Datagrams& datagrams, const std::string& text)
{
    return std::find(datagrams.begin(), datagrams.end(), text) != datagrams.end();
}

class ConnectionTest : public ManualTickTest {};

TEST_F(ConnectionTest, HeartbeatConnectsOnceAndDisconnectsAfterTwoSilentPeriods)
{
    client.SetHeartbeatId(20);
    client.SetAutoRequest(1);
    StartClient();
    ASSERT_EQ(client.SubscribeKey(30, 25), 0);
    int heartbeatReads = 0;
    for (int i = 0; i < 16; ++i)
        heartbeatReads += static_cast<int>(Contains(Tick(), "R/20"));
    EXPECT_EQ(heartbeatReads, 4); // one every 4 ticks
    EXPECT_TRUE(recorder.Events().empty());

    // Only the heartbeat key counts; the connection zeroes every key before reporting it.
    client.ParseReply("A/30\\99");
    Reply("A/30\\98");
    Tick();
    EXPECT_EQ(client.LinkCounter(), -1);
    Reply("A/20\\12");
    const Datagrams afterConnect = Tick();
    EXPECT_EQ(recorder.Events(), Events{kConnected});
    EXPECT_TRUE(Contains(afterConnect, "R/2/24/28/22"));
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
    std::string title;
    client.GetKeyText(22, title, 0);
    EXPECT_EQ(title, "0");
    EXPECT_TRUE(client.KeyById(30)->Has(TypedValue::Received));
    EXPECT_EQ(client.ClockSeconds(), 43200);

    int silentTicks = 0;
    while (recorder.Count(kDisconnected) == 0 && silentTicks < 40) {
        Tick();
        ++silentTicks;
    }
    EXPECT_GE(silentTicks, 4);
    EXPECT_LE(silentTicks, 8); // two heartbeat periods of 4 ticks
    for (const DeviceLinkKey& key : client.KeyTable().Keys())
        EXPECT_FALSE(key.Has(TypedValue::Received)) << key.name;
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(recorder.Events(), (Events{kConnected, kDisconnected}));

    // The next answer reconnects; a steady heartbeat is counted up to a cap.
    Reply("A/20\\13");
    Tick();
    EXPECT_EQ(recorder.Count(kConnected), 2);
    for (int i = 0; i < 10; ++i)
        client.ParseReply("A/20\\12");
    EXPECT_EQ(client.LinkCounter(), 5);
    EXPECT_EQ(recorder.Count(kConnected), 2);
}

TEST_F(ConnectionTest, WithoutHeartbeatTwoRepliesConnectAndNothingDisconnects)
{
    StartClient();
    Tick();
    for (const char* datagram : {"A/30\\1", "Bogus"}) { // only "A" datagrams count
        Reply(datagram);
        Tick();
        EXPECT_TRUE(recorder.Events().empty());
    }
    Reply("A/30\\2");
    Tick();
    for (int i = 0; i < 30; ++i)
        Tick();
    EXPECT_EQ(recorder.Events(), Events{kConnected});
    EXPECT_TRUE(recorder.HasLineStartingWith("Received: A/30\\2\n"));
}

// Several replies wait at one tick: all of them are taken, each counted,
// hooked and parsed on its own, in slices that keep one tick bounded.
TEST_F(ConnectionTest, EveryWaitingReplyIsReadInOneTick)
{
    StartClient();
    std::atomic<std::size_t> raw{0};
    client.SetRawHook([&](std::string_view) { ++raw; });
    Tick();
    for (int i = 1; i <= 10; ++i)
        Reply("A/30\\" + std::to_string(i));
    Reply("A/80\\0.5");
    Tick();
    EXPECT_EQ(raw.load(), 11u);
    EXPECT_DOUBLE_EQ(Value(30), 10.0);
    EXPECT_DOUBLE_EQ(Value(80), 0.5);

    raw = 0;
    constexpr std::size_t bound = DeviceLinkClient::kMaxDatagramsPerTick;
    for (std::size_t i = 0; i < bound + 8; ++i)
        Reply("A/30\\1");
    Tick();
    EXPECT_EQ(raw.load(), bound);
    Tick();
    EXPECT_EQ(raw.load(), bound + 8);
}

TEST_F(ConnectionTest, DatagramsFromOtherHostsAreDropped)
{
    client.SetHeartbeatId(20);
    StartClient();
    Tick();
    LoopbackServer stranger("127.0.0.2");
    stranger.SendTo(client.LocalPort(), "A/20\\5/30\\666");
    Tick();
    EXPECT_EQ(client.LinkCounter(), -1);
    EXPECT_FALSE(client.KeyById(30)->Has(TypedValue::Received));
    EXPECT_TRUE(recorder.HasLineStartingWith("Dropped a datagram of 13 bytes from 127.0.0.2:"));
    EXPECT_FALSE(recorder.HasLineStartingWith("Received: A/20"));

    // The server's address from another port is still the server.
    LoopbackServer sameHost("127.0.0.1");
    sameHost.SendTo(client.LocalPort(), "A/20\\5/30\\250");
    Tick();
    EXPECT_EQ(recorder.Events(), Events{kConnected});
    EXPECT_DOUBLE_EQ(Value(30), 250.0);
}

TEST_F(ConnectionTest, SynchronousReadInsideATickFailsAtOnce)
{
    StartClient();
    int result = 0;
    double value = -1.0;
    client.AddTimerCallback(
        [&] {
            result = client.ReadKey(client.KeyById(30), 1500);
            client.GetKeyDouble(80, value, 1);
        },
        25, -1);
    const auto start = std::chrono::steady_clock::now();
    client.OnTick();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(value, 0.0);
}

TEST(ClientStart, ResolvesNamesAndRefusesWhatCannotBeAServer)
{
    LoopbackServer server;
    Recorder recorder;
    DeviceLinkClient client;
    client.SetLogger([&](std::string_view line) { recorder.Add(line); });
    client.SetTickInterval(std::chrono::hours(1));

    ASSERT_EQ(client.Start("localhost", server.Port()), 0);
    EXPECT_GT(client.Send("R/30", true), 0);
    const auto datagram = server.Receive();
    ASSERT_TRUE(datagram);
    EXPECT_EQ(datagram->text, "R/30");

    EXPECT_EQ(client.Start("no-such-host.invalid", server.Port()), -1);
    EXPECT_FALSE(client.IsStarted());
    EXPECT_TRUE(recorder.HasLineStartingWith("Start: Unable to resolve 'no-such-host.invalid'"));
    EXPECT_EQ(client.Send("R/30", true), -1);
    EXPECT_EQ(client.Start("255.255.255.255", server.Port()), -1);
    EXPECT_TRUE(recorder.HasLineStartingWith("Start: Refusing broadcast address"));
    EXPECT_EQ(client.Start("127.0.0.1", 0), -1);
    EXPECT_EQ(client.Start("", server.Port()), -1);

    // Bound to a chosen local address, replies still come back.
    ASSERT_EQ(client.Start("127.0.0.1", server.Port(), "127.0.0.1"), 0);
    EXPECT_GT(client.Send("R/80", true), 0);
    const auto second = server.Receive();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->sender.port(), client.LocalPort());
}

} // namespace
} // namespace vanemark::test
