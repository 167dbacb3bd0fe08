#include "tools/DeviceLinkSim.h"

#include "../devicelink/LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <set>
#include <string>

namespace vanemark {
namespace {

using namespace std::chrono_literals;

DeviceLinkSimOptions TestOptions()
{
    return {.port = 0};
}

TEST(SimAnswer, ReadsIndexesQueriesAndSets)
{
    DeviceLinkSim sim(TestOptions());
    const std::string answer = sim.Answer(R"(R/30/22/2/20/64\0/4\30/6\83/6\30)", 10.0);
    EXPECT_TRUE(answer.starts_with("A/30\\")) << answer;
    // The clock runs a minute per second; ids 4 and 6 answer whether an id can be read or set.
    for (const std::string& field :
         {"/22\\" + std::string(SimFlight::kAircraft), "/2\\" + std::string(SimFlight::kVersion),
          std::string("/20\\10.1667"), std::string("/64\\0\\"), std::string("/4\\30\\1"), std::string("/6\\83\\1"),
          std::string("/6\\30\\0")})
        EXPECT_NE(answer.find(field), std::string::npos) << field << " in " << answer;

    // Unknown ids, a missing engine and odd ids give nothing.
    EXPECT_EQ(sim.Answer("R/64\\3/64/998/31", 1.0), "");
    EXPECT_EQ(sim.Answer("X/30", 1.0), "");
    EXPECT_EQ(sim.Answer("R/81\\0.5", 1.0), "");
    EXPECT_EQ(sim.Answer("R/80", 1.0), "A/80\\0.5"); // the set command pinned it

    sim.SetValue(30, "250.5");
    sim.SetReadable(42, false);
    EXPECT_EQ(sim.Answer("R/30/42", 1.0), "A/30\\250.5");
    sim.ClearValue(30);
    EXPECT_NE(sim.Answer("R/30", 1.0), "A/30\\250.5");
    // Several commands in one datagram are all answered.
    EXPECT_NE(sim.Answer("R/30R/80", 1.0).find("/80\\0.5"), std::string::npos);
}

TEST(SimAnswer, FlightMovesAndStaysInRange)
{
    DeviceLinkSim sim(TestOptions());
    const SimFlight flight;
    std::set<std::string> flaps;
    for (double t = 0.0; t < 60.0; t += 0.5) {
        for (int id : {80, 84, 86, 88, 90, 92, 94, 96, 98}) {
            const double value = std::stod(*flight.Value(id, -1, t));
            EXPECT_GE(value, -1.0) << id;
            EXPECT_LE(value, 1.0) << id;
        }
        EXPECT_LE(std::abs(std::stod(*flight.Value(46, -1, t))), 180.0);
        EXPECT_LE(std::abs(std::stod(*flight.Value(48, -1, t))), 90.0);
        const double heading = std::stod(*flight.Value(42, -1, t));
        EXPECT_TRUE(heading >= 0.0 && heading < 360.0);
        flaps.insert(*flight.Value(82, -1, t));
    }
    EXPECT_EQ(flaps.size(), 4u); // up, combat, take-off, landing
    EXPECT_NE(*flight.Value(84, -1, 0.0), *flight.Value(84, -1, 1.0));
    EXPECT_NE(*flight.Value(30, -1, 0.0), *flight.Value(30, -1, 3.0));
}

TEST(SimAnswer, OnlineGameHidesAircraftDataButNotControls)
{
    DeviceLinkSimOptions options = TestOptions();
    options.online = true;
    DeviceLinkSim sim(options);
    EXPECT_EQ(sim.Answer("R/30/40/64\\0/28", 1.0), "");
    const std::string answer = sim.Answer("R/30/80/22", 1.0);
    EXPECT_TRUE(answer.starts_with("A/80\\")) << answer;
    EXPECT_NE(answer.find("/22\\"), std::string::npos);
}

TEST(SimAnswer, SplitsLongAnswersBetweenFields)
{
    std::string answer = "A";
    for (int i = 0; i < 300; ++i)
        answer += "/30\\" + std::to_string(1000 + i) + ".5/22\\a/b";
    const auto parts = DeviceLinkSim::Split(answer);
    ASSERT_GE(parts.size(), 2u);
    std::string joined = "A";
    for (const std::string& part : parts) {
        EXPECT_LE(part.size(), DeviceLinkSim::kMaxDatagram);
        EXPECT_TRUE(part.starts_with("A/30\\") || part.starts_with("A/22\\")) << "a field was cut";
        joined += part.substr(1);
    }
    EXPECT_EQ(joined, answer);
    EXPECT_EQ(DeviceLinkSim::Split("A/30\\1"), std::vector<std::string>{"A/30\\1"});
    EXPECT_TRUE(DeviceLinkSim::Split("A").empty());
}

// The test's own socket plays the client of the stand-in server.
class SimSocketTest : public ::testing::Test {
protected:
    void Send(int port, const std::string& text) { client.SendTo(port, text); }
    std::optional<std::string> Receive(std::chrono::milliseconds timeout = 2000ms)
    {
        auto datagram = client.Receive(timeout);
        if (!datagram)
            return std::nullopt;
        from = datagram->sender;
        return datagram->text;
    }

    test::LoopbackServer client;
    asio::ip::udp::endpoint from;
};

TEST_F(SimSocketTest, AnswersEachRequestFromItsOwnPort)
{
    DeviceLinkSim sim(TestOptions());
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    ASSERT_GT(sim.Port(), 0);

    Send(sim.Port(), "R/30/80");
    const auto reply = Receive();
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->starts_with("A/30\\"));
    EXPECT_EQ(from.port(), sim.Port());

    Send(sim.Port(), "R/999"); // nothing readable: no answer at all
    Send(sim.Port(), "R/22");
    const auto next = Receive();
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, "A/22\\" + std::string(SimFlight::kAircraft));

    // A long answer comes in several datagrams, each a reply of its own.
    sim.SetValue(22, std::string(1500, 'n'));
    Send(sim.Port(), "R/22/30/22");
    const auto first = Receive();
    const auto second = Receive();
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(first->starts_with("A/22\\nnn"));
    EXPECT_TRUE(second->starts_with("A/22\\nnn") || second->starts_with("A/30\\"));
    EXPECT_LE(first->size(), DeviceLinkSim::kMaxDatagram);

    sim.SetSilent(true);
    Send(sim.Port(), "R/30");
    EXPECT_FALSE(Receive(150ms));
    sim.SetSilent(false);
    Send(sim.Port(), "R/30");
    EXPECT_TRUE(Receive());
    EXPECT_EQ(sim.Requests(), 6u);
    EXPECT_EQ(sim.Replies(), 5u);
}

TEST_F(SimSocketTest, SilenceThenResumeAndDrops)
{
    DeviceLinkSimOptions options = TestOptions();
    options.silentAfter = 0.0;
    options.resumeAfter = 1.0;
    DeviceLinkSim sim(options);
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    Send(sim.Port(), "R/30");
    const bool answered = Receive(100ms).has_value();
    EXPECT_FALSE(answered && sim.Seconds() < 0.9);
    while (sim.Seconds() < 1.05)
        std::this_thread::sleep_for(10ms);
    Send(sim.Port(), "R/30");
    EXPECT_TRUE(Receive());

    DeviceLinkSimOptions dropping = TestOptions();
    dropping.dropPercent = 100.0;
    DeviceLinkSim deaf(dropping);
    ASSERT_EQ(deaf.Start(error), 0) << error;
    Send(deaf.Port(), "R/30");
    EXPECT_FALSE(Receive(150ms));
    EXPECT_EQ(deaf.Requests(), 1u);
}

} // namespace
} // namespace vanemark
