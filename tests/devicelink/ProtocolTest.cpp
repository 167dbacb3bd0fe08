#include "ClientTestSupport.h"

#include <cmath>
#include <tuple>

namespace vanemark::test {
namespace {

using Datagrams = std::vector<std::string>;
using ProtocolTest = ManualTickTest;
using namespace std::string_view_literals;

TEST_F(ProtocolTest, PollOrderPeriodsAndSubscriptions)
{
    client.SetHeartbeatId(20);
    StartClient();
    EXPECT_EQ(client.SubscribeKey(20, 25), 0);  // the heartbeat keeps its own schedule
    EXPECT_EQ(client.SubscribeKey(31, 25), -1); // not declared
    EXPECT_EQ(client.SubscribeKey(81, 25), -1); // not readable
    for (int id : {30, 80, 40}) {
        ASSERT_EQ(client.SubscribeKey(id, 25), 0);
    }
    // One datagram per command in file order, an indexed key a command of its
    // own; the first tick also carries the queued subscription reads, and the
    // heartbeat read rides at the end of the poll.
    EXPECT_EQ(Tick(), (Datagrams{"R/30", "R/80", "R/40\\2", "R/40\\2", "R/30/80/20"}));
    EXPECT_EQ(Tick(), (Datagrams{"R/40\\2", "R/30/80"}));

    EXPECT_EQ(client.SubscribeKey(30, 500), 0); // already polled: a new period only
    EXPECT_EQ(TicksSending("R/30/80", 45), (std::vector<int>{1, 21, 41}));
    // A heartbeat falling due between two polls waits for the next one.
    EXPECT_EQ(client.SetPollInterval(100), 3);
    EXPECT_EQ(TicksSending("R/30/80/20", 9), (std::vector<int>{4, 8}));
}

// Queued requests go out with the next tick, unless the same command is
// already queued; one that does not fit is dropped whole, and the rest still leaves.
TEST_F(ProtocolTest, QueuedAndImmediateRequests)
{
    StartClient();
    RequestQueue& queue = engine.Queue();
    for (const char* request : {"R/24", "R/2", "R/24", "R/2"}) {
        EXPECT_EQ(queue.Send(request, false), 0);
    }
    EXPECT_EQ(queue.Send("", false), -1);
    EXPECT_EQ(Tick(), (Datagrams{"R/24", "R/2"})); // R/2 is no part of R/24

    EXPECT_EQ(queue.Send("R/30/80R/40\\2", true), 6);
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(30)), (Datagrams{"R/30/80", "R/40\\2"}));

    constexpr std::size_t kRoom = RequestQueue::kPendingSize - 1;
    Datagrams queued;
    // Long requests: the few datagrams they make fit the receiving socket's buffer.
    for (int i = 0; queue.PendingText().size() + 38 <= kRoom; ++i) {
        queued.push_back("R/" + std::string(30, '1') + std::to_string(100000 + i));
        ASSERT_EQ(queue.Send(queued.back(), false), 0);
    }
    EXPECT_EQ(queue.Send("R/" + std::string(36, '2'), false), -1);
    EXPECT_TRUE(Logged("Send: request queue full"));
    // A request that still fits is taken, up to the last byte.
    queued.push_back("R/" + std::string(kRoom - queue.PendingText().size() - 2, '7'));
    EXPECT_EQ(queue.Send(queued.back(), false), 0);
    EXPECT_EQ(queue.PendingText().size(), kRoom);
    EXPECT_EQ(queue.Send("Z", false), -1); // not one character more
    engine.OnTick();
    EXPECT_EQ(server.Collect(std::chrono::milliseconds(300)), queued);

    client.Stop();
    EXPECT_EQ(queue.Send("R/30", true), -1);
    EXPECT_EQ(queue.Send("R/30", false), -1);
}

TEST_F(ProtocolTest, TimerCallbackPeriods)
{
    StartClient();
    struct Row {
        int periodMs, startMs;
        std::vector<int> calls; // ticks of the calls in the first seven
    };
    const Row rows[] = {{500, -1, {1}}, {10, -1, {1, 2, 3, 4, 5, 6, 7}}, {25, 0, {}}, {50, 100, {4, 6}}};
    std::vector<std::vector<int>> calls(std::size(rows));
    std::vector<DeviceLinkClient::TimerCallback*> entries;
    int tick = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        entries.push_back(
            client.AddTimerCallback([&, i] { calls[i].push_back(tick); }, rows[i].periodMs, rows[i].startMs));
    }
    EXPECT_EQ(client.AddTimerCallback(nullptr, 25, -1), nullptr);
    for (tick = 1; tick <= 7; ++tick) {
        engine.OnTick();
    }
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(calls[i], rows[i].calls) << rows[i].periodMs;
    }
    // A new period starts at once, as a new poll interval does.
    EXPECT_EQ(client.SetTimerPeriod(entries[0], 250), 500);
    EXPECT_EQ(client.RemoveTimerCallback(entries[1]), 0);
    EXPECT_EQ(client.RemoveTimerCallback(entries[1]), -1);
    calls.assign(std::size(rows), {});
    for (tick = 8; tick <= 41; ++tick) {
        engine.OnTick();
    }
    EXPECT_EQ(calls[0], (std::vector<int>{17, 27, 37}));
    EXPECT_TRUE(calls[1].empty());
}

// The server's own ways of printing, as the client reads them off the socket:
// the lost carry of its two-decimal rounding, a negative zero, and escapes.
TEST_F(ProtocolTest, ServerNumberSlipsAndEscapes)
{
    StartClient();
    // A datagram, then speed (key 30) and title (key 22) after it.
    const std::tuple<std::string, double, std::string> rows[] = {
        {R"(A/22\t/30\0.100)", 1.0, "t"},          {R"(A/22\t/30\-0.100)", -1.0, "t"},
        {R"(A/22\t/30\250.100)", 251.0, "t"},      {R"(A/22\t/30\-999.100)", -1000.0, "t"},
        {R"(A/22\t/30\-0.00)", 0.0, "t"},          {R"(A/22\t/30\-0.50)", -0.5, "t"},
        {R"(A/22\t/30\0.10)", 0.1, "t"},           {R"(A/22\t/30\0.1000)", 0.1, "t"},
        {R"(A/30\2/22\0.100)", 2.0, "0.100"},      {R"(A/22\Bf-109G-6\/AS/30\5)", 5.0, "Bf-109G-6/AS"},
        {R"(A/22\Mk.V\/2b/30\6)", 6.0, "Mk.V/2b"}, {R"(A/22\a\\/30\7)", 7.0, "a\\"},
        {R"(A/22\a\b/30\8)", 8.0, "a\\b"},         {R"(A/999\x\/1/30\9/22\u)", 9.0, "u"},
    };
    for (const auto& [datagram, speed, title] : rows) {
        log.clear();
        Reply(datagram);
        ASSERT_TRUE(WaitUntil([&] {
            engine.OnTick();
            return Logged("Received: " + datagram + "\n");
        })) << datagram;
        std::string shown;
        client.GetKeyText(22, shown, 0);
        EXPECT_EQ(std::tuple(Value(30), std::signbit(Value(30)), shown), std::tuple(speed, std::signbit(speed), title))
            << datagram;
    }
}

constexpr const char* kParseKeys = "version 2 r s\ncan_read 4 r d\ncan_set 6 r d\nclock 20 r i\ntitle 22 r s\n"
                                   "speed 30 r d\nrpm[1] 64 r d\nrpm[2] 64 r d\npower 80 r d\n";

TEST(ReplyParse, FieldsIndexesTextsAndWhereParsingStops)
{
    struct Row {
        std::string_view datagram;
        int applied, id, index;
        double value;                // 999: the key got nothing
        const char* title = nullptr; // the text of key 22 afterwards
    };
    const Row rows[] = {
        {"A/30\\123.5/80\\0.75"sv, 2, 80, -1, 0.75},
        {"A/4\\7\\12.5"sv, 1, 4, -1, 12.5}, // ids 4 and 6 carry the asked id before the value
        {"A/6\\83\\1/30\\5"sv, 2, 6, -1, 1.0},
        {"A/64\\1\\2400/64\\0\\1800"sv, 2, 64, 1, 2400.0},
        {"A/999\\5/30\\1"sv, 1, 30, -1, 1.0},           // unknown ids are skipped
        {"A/31\\5/30\\2"sv, 1, 30, -1, 2.0},            // declared nowhere, inside the index range
        {"A/30\\3/64\\7\\9/80\\4"sv, 1, 80, -1, 999.0}, // an unknown index ends the datagram
        {"A/30\\1\0/80\\2"sv, 1, 80, -1, 999.0},        // so does a NUL
        {"B/80\\1"sv, 0, 80, -1, 999.0},
        {"A80\\1"sv, 0, 80, -1, 999.0},
        {"A/80"sv, 0, 80, -1, 999.0},
        {"A/x\\1"sv, 0, 80, -1, 999.0},
        {"A/80/30\\1"sv, 0, 30, -1, 999.0},
        // A "/" not followed by a digit belongs to the value; "/2" starts a
        // field, which then has no backslash, so parsing stops there.
        {"A/22\\text with a/slash/30\\5"sv, 2, 30, -1, 5.0, "text with a/slash"},
        {"A/22\\1/2/30\\5"sv, 1, 30, -1, 999.0, "1"},
    };
    TempDir dir;
    const std::string keys = dir.Write("keys.ini", kParseKeys);
    for (const Row& row : rows) {
        DeviceLinkClient client;
        detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
        ASSERT_GT(client.LoadKeys(keys), 0);
        EXPECT_EQ(engine.ParseReply(row.datagram), row.applied) << row.datagram;
        const DeviceLinkKey* key = engine.Values().Table().KeyByIdIndex(row.id, row.index);
        double value = 999.0;
        if (key->Has(TypedValue::Received)) {
            engine.Values().GetDouble(*key, value);
        }
        EXPECT_EQ(value, row.value) << row.datagram;
        std::string title;
        client.GetKeyText(22, title, 0);
        EXPECT_EQ(title, row.title ? row.title : "") << row.datagram;
    }
}

} // namespace
} // namespace vanemark::test
