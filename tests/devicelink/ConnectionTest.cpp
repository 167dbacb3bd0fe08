#include "ClientTestSupport.h"

#include "../support/Wine.h"
#include "devicelink/LinkMonitor.h"

#include <array>
#include <optional>
#include <tuple>

namespace vanemark::test {
namespace {

using Events = std::vector<std::pair<int, std::uint32_t>>;
using enum DeviceLinkClient::Event;
using ConnectionTest = ManualTickTest;

// Heartbeat reads riding with the poll, connection, loss after two silent
// periods, reconnection; no key gets a value it was not sent; and the
// owner's late reset for the lost link, which must not wipe the value the
// tick thread stored after reconnecting.
TEST_F(ConnectionTest, HeartbeatConnectsDisconnectsAndALateResetLeavesFreshValues)
{
    client.SetHeartbeatId(20);
    client.SetAutoRequest(true);
    StartClient();
    ASSERT_EQ(client.SubscribeKey(30, 25), 0);
    EXPECT_EQ(TicksSending("R/30/20", 16), (std::vector<int>{1, 5, 9, 13}));

    // Only the heartbeat key counts; a connection gives no key a value.
    Reply("A/30\\98");
    Tick();
    EXPECT_FALSE(client.IsConnected());
    Reply("A/20\\12");
    EXPECT_EQ(std::ranges::count(Tick(), "R/2/24/28/22"), 1);
    EXPECT_EQ(events, (Events{{Connected, 1}}));
    const std::array<std::int32_t, 3> ids{30, 80, 22};
    std::array<std::optional<double>, 3> read;
    client.ReadKeys(ids, read);
    EXPECT_EQ(read, (std::array<std::optional<double>, 3>{98.0, std::nullopt, std::nullopt}));
    EXPECT_EQ(client.ReadKeyText(22), std::nullopt);

    TicksSending("", 3);
    EXPECT_TRUE(client.IsConnected()); // lost after two heartbeat periods of 4 ticks
    TicksSending("", 5);
    EXPECT_EQ(events, (Events{{Connected, 1}, {Disconnected, 2}}));
    for (const DeviceLinkKey& key : engine.Values().Table().Keys()) {
        EXPECT_FALSE(key.Has(TypedValue::Received)) << key.Name();
    }
    EXPECT_EQ(client.LinkGeneration(), 2u);
    TicksSending("", 20);
    Reply("A/20\\13/30\\250");
    Tick();
    EXPECT_EQ(events, (Events{{Connected, 1}, {Disconnected, 2}, {Connected, 3}}));
    EXPECT_EQ(client.ResetValues(2), -1);
    EXPECT_DOUBLE_EQ(Value(30), 250.0);
    EXPECT_EQ(client.ResetValues(client.LinkGeneration()), 6); // every key of ids 1..511
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
}

// A reply is applied whole: a reader sees all of one reply or all of the one
// before, never part of each. The logger runs on the tick thread between the
// fields of a reply, where a reader on another thread could come in.
TEST_F(ConnectionTest, AReplyIsSeenWholeOrNotAtAll)
{
    StartClient();
    const std::array<std::int32_t, 3> ids{30, 80, 20};
    std::vector<std::array<std::optional<double>, 3>> seen;
    client.SetLogger([&](std::string_view line) {
        if (line.starts_with("Setting")) {
            client.ReadKeys(ids, seen.emplace_back());
        }
    });
    for (const std::string value : {"1", "2", "3"}) {
        Reply("A/30\\" + value + "/80\\" + value + "/20\\" + value);
        Tick();
    }
    ASSERT_EQ(seen.size(), 9u);
    for (const auto& values : seen) {
        EXPECT_TRUE(values[0] && values[0] == values[1] && values[1] == values[2]);
    }
}

// Replies wait at one tick: all of them are read, up to a bound per tick, an
// empty datagram does not end the reading, and only the server's address
// (from any port) gets past the raw hook, the heartbeat and the parser.
TEST_F(ConnectionTest, EveryWaitingReplyOfTheServerIsReadInOneTick)
{
    if (UnderWine()) {
        GTEST_SKIP() << "Wine sends from 127.0.0.1 whatever loopback address a socket is bound to";
    }
    client.SetHeartbeatId(20);
    StartClient();
    std::size_t raw = 0; // the hook runs on the test's thread here
    client.SetRawHook([&](std::string_view) { ++raw; });
    LoopbackServer otherPort;
    LoopbackServer stranger("127.0.0.2");
    Reply("");
    for (int i = 1; i <= 10; ++i) {
        Reply("A/30\\" + std::to_string(i));
    }
    otherPort.SendTo(client.LocalPort(), "A/80\\0.5");
    stranger.SendTo(client.LocalPort(), "A/20\\5/30\\666");
    Tick();
    EXPECT_EQ(std::tuple(raw, Value(30), Value(80), client.IsConnected()), std::tuple(11u, 10.0, 0.5, false));

    raw = 0;
    constexpr std::size_t bound = detail::ClientEngine::kMaxDatagramsPerTick;
    for (std::size_t i = 0; i < bound + 8; ++i) {
        Reply("A/30\\1");
    }
    Tick();
    EXPECT_EQ(raw, bound);
    Tick();
    EXPECT_EQ(raw, bound + 8);
}

// Replies per second over the (up to three) whole seconds before the current one since the
// start. Second s brings s + 1 replies, half a second in; second 2's counter is not second 7's.
TEST(LinkMonitor, RepliesPerSecondAverageTheWholeSecondsBefore)
{
    using Ms = std::chrono::milliseconds;
    const LinkMonitor::Clock::time_point origin{std::chrono::hours(1)};
    const std::tuple<int, int, double> rows[] = {{0, 999, 0.0},      {0, 1000, 1.0},      {0, 2999, 3.0 / 2},
                                                 {0, 3000, 6.0 / 3}, {0, 6400, 15.0 / 3}, {0, 8500, 13.0 / 3},
                                                 {0, 20000, 0.0},    {500, 1200, 1 / 0.5}};
    for (const auto& [resetMs, nowMs, perSecond] : rows) {
        LinkMonitor link;
        link.Reset(origin + Ms(resetMs));
        for (int s = 0; s < 7; ++s) {
            for (int k = 0; k <= s && s * 1000 + 500 + k < nowMs; ++k) {
                link.OnReply(origin + Ms(s * 1000 + 500 + k));
            }
        }
        EXPECT_DOUBLE_EQ(link.RepliesPerSecond(origin + Ms(nowMs)), perSecond) << nowMs;
    }
}

// Without a heartbeat, the second "A" datagram makes the link, which then never goes.
TEST_F(ConnectionTest, ResolvesNamesRefusesWhatCannotBeAServerAndConnectsWithoutHeartbeat)
{
    StartClient();
    // host, port, local address, the reason it is refused (if it is)
    using Row = std::tuple<const char*, int, const char*, const char*>;
    for (const auto& [host, port, local, reason] :
         {Row{"localhost", server.Port(), "0.0.0.0", nullptr},
          {"no-such-host.invalid", server.Port(), "", "Start: Unable to resolve 'no-such"},
          {"255.255.255.255", server.Port(), "", "Start: Refusing broadcast address"},
          {"127.0.0.1", 0, "", "Start: Invalid server port 0"},
          {"127.0.0.1", 65536, "", "Start: Invalid server port 65536"},
          {"", server.Port(), "", "Start: No server address"},
          {"127.0.0.1", server.Port(), "192.0.2.1", "Start: Cannot send from the local address 192.0.2.1"}}) {
        if (std::string_view(local) == "192.0.2.1" && UnderWine()) {
            continue; // Wine binds a socket to any address, this machine's or not
        }
        EXPECT_EQ(client.Start(host, port, local), reason ? -1 : 0) << host;
        EXPECT_EQ(engine.Queue().Send("R/30", true) > 0, reason == nullptr) << host;
        EXPECT_TRUE(reason == nullptr || Logged(reason)) << reason;
        EXPECT_EQ(client.StartError().empty(), reason == nullptr) << client.StartError();
    }
    // Loopback cannot reach a server elsewhere: the system picks the address.
    EXPECT_EQ(client.Start("192.0.2.1", server.Port(), "127.0.0.1"), 0);
    // Bound to a chosen local address, replies still come back.
    ASSERT_EQ(client.Start("127.0.0.1", server.Port(), "127.0.0.1"), 0);
    EXPECT_GT(engine.Queue().Send("R/80", true), 0);
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(50)), (std::vector<std::string>{"R/30", "R/80"}));
    for (const char* datagram : {"A/80\\7", "Bogus"}) {
        Reply(datagram);
        Tick();
    }
    EXPECT_DOUBLE_EQ(Value(80), 7.0);
    EXPECT_TRUE(events.empty());
    Reply("A/30\\2");
    TicksSending("", 30);
    EXPECT_EQ(events, (Events{{Connected, 1}}));
}

} // namespace
} // namespace vanemark::test
