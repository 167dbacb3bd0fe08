#include "ClientTestSupport.h"

namespace vanemark::test {
namespace {

using namespace std::string_view_literals;

constexpr const char* kKeys = "version 2 r s\ncan_read 4 r d\ncan_set 6 r d\nclock 20 r i\ntitle 22 r s\n"
                              "speed 30 r d\nrpm[1] 64 r d\nrpm[2] 64 r d\npower 80 r d\n";

// The key's value, 999 while it has none.
double Value(const detail::ClientEngine& engine, int id, int index = -1)
{
    const DeviceLinkKey* key = engine.Values().Table().KeyByIdIndex(id, index);
    double value = 999.0;
    if (key != nullptr && key->Has(TypedValue::Received)) {
        engine.Values().GetDouble(*key, value);
    }
    return value;
}

TEST(ReplyParse, FieldsIndexesQueriesAndWhereParsingStops)
{
    struct Row {
        std::string_view datagram;
        int applied;
        int id, index;
        double value; // 999: the key got nothing
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
    };
    TempDir dir;
    const std::string keys = dir.Write("keys.ini", kKeys);
    for (const Row& row : rows) {
        DeviceLinkClient client;
        detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
        ASSERT_GT(client.LoadKeys(keys), 0);
        EXPECT_EQ(engine.ParseReply(row.datagram), row.applied) << row.datagram;
        EXPECT_EQ(Value(engine, row.id, row.index), row.value) << row.datagram;
    }
}

TEST(ReplyParse, TextsClockTitleEventsAndReset)
{
    TempDir dir;
    DeviceLinkClient client;
    detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
    ASSERT_GT(client.LoadKeys(dir.Write("keys.ini", kKeys)), 0);
    std::vector<std::string> log;
    client.SetLogger([&log](std::string_view line) { log.emplace_back(line); });
    std::vector<int> events;
    client.AddEventSink([&events](int event, std::uint32_t) { events.push_back(event); },
                        DeviceLinkClient::Key22Received);
    client.AddEventSink([&events](int event, std::uint32_t) { events.push_back(100 + event); },
                        DeviceLinkClient::Connected);
    const auto text = [&client] {
        std::string out;
        client.GetKeyText(22, out, 0);
        return out;
    };

    // A "/" not followed by a digit belongs to the value; "/2" starts a field,
    // which then has no backslash, so parsing stops there.
    EXPECT_EQ(engine.ParseReply("A/22\\text with a/slash/30\\5"), 2);
    EXPECT_EQ(text(), "text with a/slash");
    EXPECT_EQ(log.back(), "Setting speed. Flags 80000041\n");
    EXPECT_EQ(engine.ParseReply("A/22\\1/2"), 1);
    EXPECT_EQ(text(), "1");
    engine.ParseReply("A/22\\" + std::string(300, 'x'));
    EXPECT_EQ(text(), std::string(255, 'x'));
    EXPECT_EQ(events, (std::vector<int>{4, 4, 4})); // also when the text is unchanged
    std::string none;
    EXPECT_EQ(client.GetKeyText(23, none, 0), -1);

    engine.ParseReply("A/20\\12");
    EXPECT_EQ(engine.Values().ClockSeconds(), 43200);
    engine.ParseReply("A/20\\13.75"); // an integer key keeps the whole hours
    EXPECT_EQ(engine.Values().ClockSeconds(), 46800);

    EXPECT_EQ(client.ResetValues(client.LinkGeneration()), 9);
    EXPECT_EQ(Value(engine, 64, 1), 0.0);
    EXPECT_EQ(text(), "0");
}

} // namespace
} // namespace vanemark::test
