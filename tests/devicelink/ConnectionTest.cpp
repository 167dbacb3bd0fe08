#include "ClientTestSupport.h"

namespace vanemark::test {
namespace {

using Datagrams = std::vector<std::string>;

class ConnectionTest : public ManualTickTest {
protected:
    void StartWithHeartbeat()
    {
        client.SetHeartbeatId(20);
        client.SetAutoRequest(1);
        StartClient();
        ASSERT_EQ(client.SubscribeKey(30, 25), 0);
    }

    bool Contains(const Datagrams& datagrams, const std::string& text)
    {
        return std::find(datagrams.begin(), datagrams.end(), text) != datagrams.end();
    }
};

TEST_F(ConnectionTest, HeartbeatConnectsOnceAndDisconnectsAfterTwoSilentPeriods)
{
    StartWithHeartbeat();
    int heartbeatReads = 0;
    for (int i = 0; i < 16; ++i) {
        heartbeatReads += static_cast<int>(Contains(Tick(), "R/20"));
    }
    EXPECT_EQ(heartbeatReads, 4); // one every 4 ticks
    EXPECT_TRUE(recorder.Events().empty());
    EXPECT_EQ(client.LinkCounter(), -1);

    client.ParseReply("A/30\\99"); // a value from before the connection
    server.SendTo(ClientEndpoint(), "A/20\\12");
    const Datagrams afterConnect = Tick();
    EXPECT_EQ(recorder.Events(), std::vector<int>{DeviceLinkClient::Connected});
    EXPECT_TRUE(Contains(afterConnect, "R/2/24/28/22"));
    double speed = -1.0;
    client.GetKeyDouble(30, speed, 0);
    EXPECT_DOUBLE_EQ(speed, 0.0); // zeroed on connection
    EXPECT_TRUE(client.KeyById(30)->Has(TypedValue::Received));
    EXPECT_EQ(client.ClockSeconds(), 43200);

    int silentTicks = 0;
    while (recorder.Count(DeviceLinkClient::Disconnected) == 0 && silentTicks < 40) {
        Tick();
        ++silentTicks;
    }
    EXPECT_GE(silentTicks, 4);
    EXPECT_LE(silentTicks, 8); // two heartbeat periods of 4 ticks
    for (const DeviceLinkKey& key : client.KeyTable().Keys()) {
        EXPECT_FALSE(key.Has(TypedValue::Received)) << key.name;
    }
    for (int i = 0; i < 20; ++i) {
        Tick();
    }
    EXPECT_EQ(recorder.Events(), (std::vector<int>{DeviceLinkClient::Connected, DeviceLinkClient::Disconnected}));

    // The next answer reconnects.
    server.SendTo(ClientEndpoint(), "A/20\\13");
    Tick();
    EXPECT_EQ(recorder.Count(DeviceLinkClient::Connected), 2);
}

TEST_F(ConnectionTest, SteadyHeartbeatKeepsTheConnection)
{
    StartWithHeartbeat();
    for (int i = 0; i < 40; ++i) {
        for (const std::string& datagram : Tick()) {
            if (datagram == "R/20") {
                server.SendTo(ClientEndpoint(), "A/20\\12");
            }
        }
    }
    EXPECT_EQ(recorder.Events(), std::vector<int>{DeviceLinkClient::Connected});
    EXPECT_GE(client.LinkCounter(), 0);
}

TEST_F(ConnectionTest, WithoutHeartbeatTwoRepliesConnectAndNothingDisconnects)
{
    StartClient();
    Tick();
    server.SendTo(ClientEndpoint(), "A/30\\1");
    Tick();
    EXPECT_TRUE(recorder.Events().empty());
    server.SendTo(ClientEndpoint(), "Bogus");
    Tick();
    EXPECT_TRUE(recorder.Events().empty()); // only "A" datagrams count
    server.SendTo(ClientEndpoint(), "A/30\\2");
    Tick();
    EXPECT_EQ(recorder.Events(), std::vector<int>{DeviceLinkClient::Connected});
    for (int i = 0; i < 30; ++i) {
        Tick();
    }
    EXPECT_EQ(recorder.Events(), std::vector<int>{DeviceLinkClient::Connected});
    EXPECT_TRUE(recorder.HasLineStartingWith("Received: A/30\\2\n"));
}

// Several replies wait at one tick: all of them are taken, each counted,
// hooked and parsed on its own.
TEST_F(ConnectionTest, EveryWaitingReplyIsReadInOneTick)
{
    StartClient();
    std::vector<std::string> raw;
    std::mutex rawMutex;
    client.SetRawHook([&](std::string_view datagram) {
        std::lock_guard lock(rawMutex);
        raw.emplace_back(datagram);
    });
    Tick();
    for (int i = 1; i <= 10; ++i) {
        server.SendTo(ClientEndpoint(), "A/30\\" + std::to_string(i));
    }
    server.SendTo(ClientEndpoint(), "A/80\\0.5");
    Tick();
    EXPECT_EQ(raw.size(), 11u);
    double speed = 0.0;
    double power = 0.0;
    client.GetKeyDouble(30, speed, 0);
    client.GetKeyDouble(80, power, 0);
    EXPECT_DOUBLE_EQ(speed, 10.0);
    EXPECT_DOUBLE_EQ(power, 0.5);

    // A flood is taken in bounded slices, so one tick never stalls.
    raw.clear();
    for (int i = 0; i < DeviceLinkClient::kMaxDatagramsPerTick + 8; ++i) {
        server.SendTo(ClientEndpoint(), "A/30\\1");
    }
    Tick();
    EXPECT_EQ(raw.size(), static_cast<std::size_t>(DeviceLinkClient::kMaxDatagramsPerTick));
    Tick();
    EXPECT_EQ(raw.size(), static_cast<std::size_t>(DeviceLinkClient::kMaxDatagramsPerTick + 8));
}

TEST_F(ConnectionTest, DatagramsFromOtherHostsAreDropped)
{
    client.SetHeartbeatId(20);
    StartClient();
    Tick();
    LoopbackServer stranger("127.0.0.2");
    stranger.SendTo(ClientEndpoint(), "A/20\\5/30\\666");
    Tick();
    EXPECT_EQ(client.LinkCounter(), -1);
    EXPECT_FALSE(client.KeyById(30)->Has(TypedValue::Received));
    EXPECT_TRUE(recorder.HasLineStartingWith("Dropped a datagram of 13 bytes from 127.0.0.2:"));
    EXPECT_FALSE(recorder.HasLineStartingWith("Received: A/20"));

    // The server's address from another port is still the server.
    LoopbackServer sameHost("127.0.0.1");
    sameHost.SendTo(ClientEndpoint(), "A/20\\5/30\\250");
    Tick();
    EXPECT_EQ(recorder.Events(), std::vector<int>{DeviceLinkClient::Connected});
    double speed = 0.0;
    client.GetKeyDouble(30, speed, 0);
    EXPECT_DOUBLE_EQ(speed, 250.0);
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
    EXPECT_GT(client.LocalPort(), 0);
    EXPECT_GT(client.Send("R/80", true), 0);
    const auto second = server.Receive();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->sender.port(), client.LocalPort());
}

} // namespace
} // namespace vanemark::test
