#include "tools/DeviceLinkSim.h"

#include "../devicelink/LoopbackServer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

namespace vanemark {
namespace {

using namespace std::chrono_literals;

TEST(SimAnswer, ReadsIndexesQueriesSetsAndHiddenKeys)
{
    DeviceLinkSim sim({.port = 0});
    const std::string answer = sim.Answer(R"(R/30/22/2/20/64\0/4\30/6\83/6\30)", 10.0);
    EXPECT_TRUE(answer.starts_with("A/30\\")) << answer;
    // The clock runs a minute per second; ids 4 and 6 answer whether an id can be read or set.
    for (const std::string& field :
         {"/22\\" + std::string(SimFlight::kAircraft), "/2\\" + std::string(SimFlight::kVersion),
          std::string("/20\\10.1667"), std::string("/64\\0\\"), std::string("/4\\30\\1"), std::string("/6\\83\\1"),
          std::string("/6\\30\\0")}) {
        EXPECT_NE(answer.find(field), std::string::npos) << field << " in " << answer;
    }
    // Unknown ids, a missing engine and odd ids give nothing; a set command pins the value.
    EXPECT_EQ(sim.Answer("R/64\\3/64/998/31", 1.0), "");
    EXPECT_EQ(sim.Answer("X/30", 1.0), "");
    EXPECT_EQ(sim.Answer("R/81\\0.5", 1.0), "");
    EXPECT_EQ(sim.Answer("R/80R/30", 1.0).substr(0, 9), "A/80\\0.5/"); // every command of a datagram

    sim.SetValue(30, "250.5");
    sim.SetValue(42, "90");
    sim.SetReadable(42, false); // hidden even though pinned
    EXPECT_EQ(sim.Answer("R/30/42", 1.0), "A/30\\250.5");
    sim.ClearValue(30);
    EXPECT_NE(sim.Answer("R/30", 1.0), "A/30\\250.5");

    DeviceLinkSim online({.port = 0, .online = true}); // a network game hides aircraft data, not controls
    EXPECT_EQ(online.Answer("R/30/40/64\\0/28", 1.0), "");
    EXPECT_EQ(online.Answer("R/30/80/22", 1.0).substr(0, 5), "A/80\\");
}

// Long answers are split between fields into datagrams of at most 2047
// bytes; an answer of exactly that size stays one datagram.
TEST(SimSocket, SplitsLongAnswersBetweenFields)
{
    DeviceLinkSim sim({.port = 0});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    test::LoopbackServer client;
    const std::string text(DeviceLinkSim::kMaxDatagram - 5, 'n'); // after "A/22\"
    sim.SetValue(22, text);
    for (const auto& [request, parts] : {std::pair{"R/22", 1u}, std::pair{"R/22/30", 2u}}) {
        client.SendTo(sim.Port(), request);
        std::string joined;
        for (unsigned i = 0; i < parts; ++i) {
            const auto datagram = client.Receive();
            ASSERT_TRUE(datagram);
            EXPECT_LE(datagram->text.size(), DeviceLinkSim::kMaxDatagram);
            EXPECT_TRUE(datagram->text.starts_with(i == 0 ? "A/22\\n" : "A/30\\")) << request;
            joined += datagram->text.substr(1);
        }
        EXPECT_TRUE(joined.starts_with("/22\\" + text)) << "a field was cut";
        EXPECT_FALSE(client.Receive(100ms)) << request;
    }
}

TEST(SimSocket, SilenceThenResumeAndDrops)
{
    DeviceLinkSim sim({.port = 0, .silentAfter = 0.0, .resumeAfter = 1.0});
    DeviceLinkSim deaf({.port = 0, .dropPercent = 100.0});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    ASSERT_EQ(deaf.Start(error), 0) << error;
    test::LoopbackServer client;
    client.SendTo(sim.Port(), "R/30");
    client.SendTo(deaf.Port(), "R/30");
    const bool answered = client.Receive(100ms).has_value();
    EXPECT_FALSE(answered && sim.Seconds() < 0.9);
    while (sim.Seconds() < 1.05) {
        std::this_thread::sleep_for(10ms);
    }
    client.SendTo(sim.Port(), "R/30");
    const auto reply = client.Receive();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->sender.port(), sim.Port());
    EXPECT_EQ(deaf.Requests(), 1u);
    EXPECT_EQ(deaf.Replies(), 0u);
}

} // namespace
} // namespace vanemark
