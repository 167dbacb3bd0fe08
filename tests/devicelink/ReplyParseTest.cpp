#include "devicelink/DeviceLinkClient.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vanemark {
namespace {

class ReplyParseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(client.LoadKeys(dir.Write("keys.ini", "version 2 r s\ncan_read 4 r d\nclock 20 r i\ntitle 22 r s\n"
                                                        "speed 30 r d\nrpm[1] 64 r d\nrpm[2] 64 r d\npower 80 r d\n")),
                  0);
        client.SetLogger([this](std::string_view line) { log.emplace_back(line); });
    }

    double Value(int id)
    {
        double value = -99.0;
        client.GetKeyDouble(id, value, 0);
        return value;
    }
    std::string Text(int id)
    {
        std::string text;
        client.GetKeyText(id, text, 0);
        return text;
    }
    bool Received(int id) { return client.KeyById(id)->Has(TypedValue::Received); }

    test::TempDir dir;
    DeviceLinkClient client;
    std::vector<std::string> log;
};

TEST_F(ReplyParseTest, AppliesFieldsIndexesAndQueries)
{
    EXPECT_EQ(client.ParseReply("A/30\\123.5/80\\0.75"), 2);
    EXPECT_DOUBLE_EQ(Value(30), 123.5);
    EXPECT_DOUBLE_EQ(Value(80), 0.75);
    EXPECT_TRUE(client.KeyById(30)->Has(TypedValue::Received | TypedValue::Updated));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Setting speed. Flags 80000041\n");

    // ids 4 and 6 carry the asked id before the value
    EXPECT_EQ(client.ParseReply("A/4\\7\\12.5"), 1);
    EXPECT_DOUBLE_EQ(Value(4), 12.5);
    EXPECT_EQ(client.ParseReply("A/64\\1\\2400/64\\0\\1800"), 2);
    EXPECT_DOUBLE_EQ(client.KeyByIdIndex(64, 1)->dbl, 2400.0);
    EXPECT_DOUBLE_EQ(client.KeyByIdIndex(64, 0)->dbl, 1800.0);

    // A "/" not followed by a digit belongs to the value; "/2" starts a field,
    // which then has no backslash, so parsing stops there.
    EXPECT_EQ(client.ParseReply("A/22\\text with a/slash/30\\5"), 2);
    EXPECT_EQ(Text(22), "text with a/slash");
    EXPECT_DOUBLE_EQ(Value(30), 5.0);
    EXPECT_EQ(client.ParseReply("A/22\\1/2"), 1);
    EXPECT_EQ(Text(22), "1");

    EXPECT_EQ(client.ResetValues(), 8);
    EXPECT_DOUBLE_EQ(Value(30), 0.0);
    EXPECT_EQ(Text(22), "0");
    EXPECT_DOUBLE_EQ(client.KeyByIdIndex(64, 1)->dbl, 0.0);
}

TEST_F(ReplyParseTest, UnknownIdsAreSkippedUnknownIndexesAndBrokenDatagramsStop)
{
    EXPECT_EQ(client.ParseReply("A/999\\5/30\\1"), 1);
    EXPECT_DOUBLE_EQ(Value(30), 1.0);
    EXPECT_EQ(client.ParseReply("A/31\\5/30\\2"), 1); // declared nowhere, inside the index range
    EXPECT_DOUBLE_EQ(Value(30), 2.0);
    EXPECT_EQ(client.ParseReply("A/30\\3/64\\7\\9/80\\4"), 1);
    EXPECT_DOUBLE_EQ(Value(30), 3.0);
    EXPECT_FALSE(Received(80));

    for (const char* datagram : {"B/80\\1", "A80\\1", "A", "", "A/80", "A/x\\1", "A/80/30\\1"})
        EXPECT_EQ(client.ParseReply(datagram), 0) << datagram;
    EXPECT_FALSE(Received(80));
    // A NUL ends the datagram, as it ends the text that reaches the parser.
    EXPECT_EQ(client.ParseReply(std::string("A/30\\1\0/80\\2", 12)), 1);
    EXPECT_FALSE(Received(80));
}

TEST_F(ReplyParseTest, ClockAndTitleEvents)
{
    std::vector<int> events;
    client.AddEventSink([&events](int event) { events.push_back(event); }, DeviceLinkClient::Key22Received);
    client.AddEventSink([&events](int event) { events.push_back(100 + event); }, DeviceLinkClient::Connected);

    client.ParseReply("A/20\\12");
    EXPECT_EQ(client.ClockSeconds(), 43200);
    client.ParseReply("A/20\\13.75"); // an integer key keeps the whole hours
    EXPECT_EQ(client.ClockSeconds(), 46800);

    client.ParseReply("A/22\\Spitfire");
    client.ParseReply("A/22\\Spitfire");
    EXPECT_EQ(events, (std::vector<int>{4, 4}));

    char buffer[TypedValue::kMaxText + 1];
    client.ParseReply("A/22\\" + std::string(300, 'x'));
    EXPECT_EQ(client.GetKeyText(22, buffer, 0), 0);
    EXPECT_EQ(std::string(buffer), std::string(255, 'x'));
    EXPECT_EQ(client.GetKeyText(23, buffer, 0), -1);
}

} // namespace
} // namespace vanemark
