#include "ClientTestSupport.h"

#include <atomic>

namespace vanemark::test {
namespace {

using Events = std::vector<int>;
constexpr int kConnected = DeviceLinkClient::Connected;
constexpr int kDisconnected = DeviceLinkClient::Disconnected;

class ConnectionTest : public ManualTickTest {
protected:
    // Ticks until the link is reported lost; how many it took.
    int TicksUntilDisconnected()
    {
        int ticks = 0;
        for (; recorder.Count(kDisconnected) == 0 && ticks < 40; ++ticks) {
            Tick();
        }
        return ticks;
    }
    bool TickSends(const std::string& text)
    {
        const auto sent = Tick();
        return std::find(sent.begin(), sent.end(), text) != sent.end();
    }
};

TEST_F(ConnectionTest, HeartbeatConnectsOnceAndDisconnectsAfterTwoSilentPeriods)
{
    client.SetHeartbeatId(20);
    client.SetAutoRequest(true);
    StartClient();
    ASSERT_EQ(client.SubscribeKey(30, 25), 0);
    int heartbeatReads = 0;
    for (int i = 0; i < 16; ++i) {
        heartbeatReads += static_cast<int>(TickSends("R/20"));
    }
    EXPECT_EQ(heartbeatReads, 4); // one every 4 ticks

    // Only the heartbeat key counts; the connection zeroes every key before reporting it.
    Reply("A/30\\98");
    Tick();
    EXPECT_FALSE(client.IsConnected());
    Reply("A/20\\12");
    EXPECT_TRUE(TickSends("R/2/24/28/22"));
    EXPECT_EQ(recorder.Events().first, Events{kConnected});
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
    std::string title;
    client.GetKeyText(22, title, 0);
    EXPECT_EQ(title, "0");

    const int silentTicks = TicksUntilDisconnected();
    EXPECT_GE(silentTicks, 4);
    EXPECT_LE(silentTicks, 8); // two heartbeat periods of 4 ticks
    for (const DeviceLinkKey& key : engine.Values().Table().Keys()) {
        EXPECT_FALSE(key.Has(TypedValue::Received)) << key.Name();
    }
    for (int i = 0; i < 20; ++i) {
        Tick();
    }
    EXPECT_EQ(recorder.Events().first, (Events{kConnected, kDisconnected}));

    // The next answer reconnects; a steady heartbeat is counted up to a cap.
    Reply("A/20\\13");
    Tick();
    for (int i = 0; i < 10; ++i) {
        engine.ParseReply("A/20\\12");
    }
    EXPECT_EQ(engine.LinkCounter(), 5);
    EXPECT_EQ(recorder.Count(kConnected), 2);
}

// The owner handles a Disconnected late, after the tick thread has already
// reconnected and stored a fresh value: the late reset must not wipe it.
TEST_F(ConnectionTest, ResetForAnOlderLinkLeavesFreshValues)
{
    client.SetHeartbeatId(20);
    StartClient();
    Reply("A/20\\12");
    Tick();
    TicksUntilDisconnected();
    const auto [lostEvents, lost] = recorder.Events();
    ASSERT_EQ(lostEvents, (Events{kConnected, kDisconnected}));
    EXPECT_EQ(lost, client.LinkGeneration());

    Reply("A/20\\12/30\\250");
    Tick();
    EXPECT_NE(recorder.Events().second, lost);
    EXPECT_EQ(client.ResetValues(lost), -1);
    EXPECT_DOUBLE_EQ(Value(30), 250.0);
    EXPECT_EQ(client.ResetValues(client.LinkGeneration()), 6); // every key of ids 1..511
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
}

TEST_F(ConnectionTest, WithoutHeartbeatTwoRepliesConnectAndNothingDisconnects)
{
    StartClient();
    for (const char* datagram : {"A/30\\1", "Bogus"}) { // only "A" datagrams count
        Reply(datagram);
        Tick();
    }
    EXPECT_TRUE(recorder.Events().first.empty());
    Reply("A/30\\2");
    for (int i = 0; i < 30; ++i) {
        Tick();
    }
    EXPECT_EQ(recorder.Events().first, Events{kConnected});
    EXPECT_TRUE(recorder.HasLine("Received: A/30\\2\n"));
}

// Several replies wait at one tick, an empty datagram first: all are taken,
// each hooked and parsed on its own, in slices that keep one tick bounded.
TEST_F(ConnectionTest, EveryWaitingReplyIsReadInOneTick)
{
    StartClient();
    std::atomic<std::size_t> raw{0};
    client.SetRawHook([&](std::string_view) { ++raw; });
    Reply("");
    for (int i = 1; i <= 10; ++i) {
        Reply("A/30\\" + std::to_string(i));
    }
    Reply("A/80\\0.5");
    Tick();
    EXPECT_EQ(raw.load(), 11u);
    EXPECT_DOUBLE_EQ(Value(30), 10.0);
    EXPECT_DOUBLE_EQ(Value(80), 0.5);

    raw = 0;
    constexpr std::size_t bound = detail::ClientEngine::kMaxDatagramsPerTick;
    for (std::size_t i = 0; i < bound + 8; ++i) {
        Reply("A/30\\1");
    }
    Tick();
    EXPECT_EQ(raw.load(), bound);
    Tick();
    EXPECT_EQ(raw.load(), bound + 8);
}

TEST_F(ConnectionTest, DatagramsFromOtherHostsAreDropped)
{
    client.SetHeartbeatId(20);
    StartClient();
    LoopbackServer stranger("127.0.0.2");
    stranger.SendTo(client.LocalPort(), "A/20\\5/30\\666");
    Tick();
    EXPECT_FALSE(client.IsConnected());
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
    EXPECT_TRUE(recorder.HasLine("Dropped a datagram of 13 bytes from 127.0.0.2:"));
    // The server's address from another port is still the server.
    LoopbackServer sameHost("127.0.0.1");
    sameHost.SendTo(client.LocalPort(), "A/20\\5/30\\250");
    Tick();
    EXPECT_TRUE(client.IsConnected());
    EXPECT_DOUBLE_EQ(Value(30), 250.0);
}

TEST_F(ConnectionTest, ResolvesNamesAndRefusesWhatCannotBeAServer)
{
    StartClient();
    struct Row {
        const char* host;
        int port;
        const char* line; // nullptr: starts
    };
    for (const Row& r : {Row{"localhost", server.Port(), nullptr},
                         {"no-such-host.invalid", server.Port(), "Start: Unable to resolve 'no-such"},
                         {"255.255.255.255", server.Port(), "Start: Refusing broadcast address"},
                         {"127.0.0.1", 0, "Start: Invalid server port 0"},
                         {"", server.Port(), "Start: No server address"}}) {
        EXPECT_EQ(client.Start(r.host, r.port), r.line ? -1 : 0) << r.host;
        EXPECT_EQ(engine.Queue().Send("R/30", true) > 0, r.line == nullptr) << r.host;
        EXPECT_TRUE(r.line == nullptr || recorder.HasLine(r.line)) << r.line;
    }
    // Bound to a chosen local address, replies still come back.
    ASSERT_EQ(client.Start("127.0.0.1", server.Port(), "127.0.0.1"), 0);
    EXPECT_GT(engine.Queue().Send("R/80", true), 0);
    const auto datagrams = server.Collect(std::chrono::milliseconds(50));
    EXPECT_EQ(datagrams, (std::vector<std::string>{"R/30", "R/80"}));
    Reply("A/80\\7");
    Tick();
    EXPECT_DOUBLE_EQ(Value(80), 7.0);
}

} // namespace
} // namespace vanemark::test
