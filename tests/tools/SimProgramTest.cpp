// The stand-in server: its answers, its socket and its program.
#include "flightlog/FlightColumns.h"
#include "tools/SimCommandLine.h"

#include "../devicelink/LoopbackServer.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif
#include <vector>

namespace vanemark {
namespace {

constexpr std::string_view kAnswering = "devicelink-sim: answering on 127.0.0.1:";

TEST(DeviceLinkSim, AnswersReadsIndexesQueriesSetsAndHiddenKeys)
{
    DeviceLinkSim sim({.port = 0});
    const std::string answer = sim.Answer(R"(R/30/2/20/64\0/4\30/6\83/6\30)", 10.0);
    EXPECT_TRUE(answer.starts_with("A/30\\")) << answer;
    // The clock runs a minute per second; ids 4 and 6 answer whether an id can be read or set.
    for (const std::string& field :
         {"/2\\" + std::string(SimFlight::kVersion), std::string("/20\\10.1667"), std::string("/64\\0\\"),
          std::string("/4\\30\\1"), std::string("/6\\83\\1"), std::string("/6\\30\\0")}) {
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

    // Values are escaped; the second aircraft of the flight has a "/" before a digit.
    EXPECT_EQ(sim.Answer("R/22", SimFlight::kAircraftSeconds + 1.0), R"(A/22\Fighter Mk.V\/2b)");
    sim.SetValue(22, R"(a\b)");
    EXPECT_EQ(sim.Answer("R/22", 1.0), R"(A/22\a\\b)");
    // Two decimals as the simulator prints them, its lost carry and negative zero included.
    for (const auto& [value, text] : {std::pair(0.997, "0.100"),
                                      {-0.996, "-0.100"},
                                      {250.996, "250.100"},
                                      {-0.004, "-0.00"},
                                      {0.994, "0.99"},
                                      {-12.5, "-12.50"}}) {
        EXPECT_EQ(SimFlight::Print(value), text) << value;
    }

    DeviceLinkSim online({.port = 0, .online = true}); // a network game hides aircraft data, not controls
    EXPECT_EQ(online.Answer("R/30/40/64\\0/28", 1.0), "");
    EXPECT_EQ(online.Answer("R/30/80/22", 1.0).substr(0, 5), "A/80\\");
}

// Long answers are split between fields into datagrams of at most 2047
// bytes; an answer of exactly that size stays one datagram.
TEST(DeviceLinkSim, SplitsLongAnswersBetweenFields)
{
    DeviceLinkSim sim({.port = 0});
    for (const std::size_t length : {DeviceLinkSim::kMaxDatagram - 5, DeviceLinkSim::kMaxDatagram - 6}) {
        sim.SetValue(22, std::string(length, 'n'));
        const std::string title = sim.Answer("R/22", 1.0);
        EXPECT_EQ(title.size(), length + 5); // "A/22\" and the text
        const std::string both = sim.Answer("R/22/30", 1.0);
        EXPECT_EQ(DeviceLinkSim::Split(title), std::vector<std::string>{title});
        std::string rest = "A"; // built by append: GCC 12 -O3 warns falsely on "A" + text
        rest.append(both, title.size());
        EXPECT_EQ(DeviceLinkSim::Split(both), (std::vector<std::string>{title, rest}));
    }
}

TEST(DeviceLinkSim, SilentForAWhileAndDroppingRequests)
{
    DeviceLinkSim sim({.port = 0, .silentAfter = 0.0, .resumeAfter = 0.5});
    DeviceLinkSim deaf({.port = 0, .dropPercent = 100.0});
    std::string error;
    ASSERT_EQ(sim.Start(error) + deaf.Start(error), 0) << error;
    test::LoopbackServer client;
    client.SendTo(sim.Port(), "R/30");
    client.SendTo(deaf.Port(), "R/30");
    EXPECT_FALSE(client.Receive(std::chrono::milliseconds(100)) && sim.Seconds() < 0.45);
    test::WaitUntil([&] { return sim.Seconds() >= 0.55; });
    client.SendTo(sim.Port(), "R/30");
    EXPECT_TRUE(client.Receive());
    EXPECT_EQ(std::pair(deaf.Requests(), deaf.Replies()), std::pair(std::uint64_t{1}, std::uint64_t{0}));
}

TEST(SimCommandLine, ReadsEveryOptionWithDefaults)
{
    SimCommandLine line;
    std::string error;
    const std::vector<std::string_view> all{
        "--host",         "127.0.0.2", "--port",   "21200", "--verbose", "--silent-after", "5",
        "--resume-after", "2.5",       "--drop",   "10",    "--online",  "--seed",         "7",
        "--duration",     "3",         "--replay", "f.csv", "--loop",    "--rate",         "2"};
    ASSERT_EQ(line.Parse(all, error), 0) << error;
    const DeviceLinkSimOptions& o = line.options;
    EXPECT_EQ(std::tuple(o.host, o.port, o.verbose, o.silentAfter, o.resumeAfter, o.dropPercent, o.online, o.seed,
                         line.duration, line.replayPath, line.loop, line.rate),
              std::tuple("127.0.0.2", 21200, true, 5.0, 2.5, 10.0, true, 7u, 3.0, "f.csv", true, 2.0));
    SimCommandLine defaults;
    ASSERT_EQ(defaults.Parse({}, error), 0);
    EXPECT_EQ(std::tuple(defaults.options.host, defaults.options.port, defaults.duration < 0.0),
              std::tuple("127.0.0.1", 21100, true));
}

// Runs the program; its exit code and output. Once it says where it
// answers, it is asked for key 22.
std::pair<int, std::string> RunProgram(const std::string& arguments)
{
#if defined(_WIN32)
    // cmd.exe drops the outermost quotes of the line it is given.
    std::string command = "\"\"";
    command.append(std::filesystem::absolute(DEVICELINK_SIM_EXE).make_preferred().string()).append("\" ");
    FILE* pipe = _popen(command.append(arguments).append(" 2>&1\"").c_str(), "r");
#else
    FILE* pipe = popen(("'" DEVICELINK_SIM_EXE "' " + arguments + " 2>&1").c_str(), "r");
#endif
    std::string output;
    std::array<char, 256> line{};
    while (pipe != nullptr && fgets(line.data(), line.size(), pipe) != nullptr) {
        if (std::string_view(line.data()).starts_with(kAnswering)) {
            test::LoopbackServer().SendTo(std::stoi(line.data() + kAnswering.size()), "R/22");
        }
        output += line.data();
    }
#if defined(_WIN32)
    return {pipe != nullptr ? _pclose(pipe) : -1, output};
#else
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
#endif
}

// Bad options and a busy port end the program with a message that names them.
TEST(SimProgram, ServesForItsDurationAndFailsClearly)
{
    test::LoopbackServer busy;
    const test::TempDir dir;
    const std::string bad = dir.Write("bad.csv", FlightHeader().append("\n0,1,x,0,0,0,0,0,0,0,0,0,0,0,a\n"));
    struct Row {
        std::string arguments;
        int code;
        std::vector<std::string> output;
    };
    for (const Row& row :
         {Row{"--port 0 --duration 1 --verbose",
              0,
              {"> R/22\n", "< A/22\\" + std::string(SimFlight::kAircraft), "1 requests, 1 replies"}},
          {"--replay " + bad, 1, {bad + ":2: power 'x' is not a number"}},
          {"--replay " + bad + "-gone", 1, {bad + "-gone: No such file"}},
          {"--loop", 1, {"--loop and --rate need --replay"}},
          {"--rate 0 --replay " + bad, 1, {"invalid value '0' for --rate"}},
          {"--port " + std::to_string(busy.Port()) + " --duration 5", 1, {"unable to listen on 127.0.0.1:"}},
          {"--port 70000", 1, {"invalid value '70000' for --port"}},
          {"--port 12x", 1, {"invalid value '12x' for --port"}},
          {"--drop 101", 1, {"invalid value '101' for --drop"}},
          {"--silent-after -1", 1, {"invalid value '-1' for --silent-after"}},
          {"--duration", 1, {"option --duration needs a value"}},
          {"--frobnicate", 1, {"unknown option '--frobnicate'"}},
          {"--help", 0, {"--silent-after"}}}) {
        const auto [code, output] = RunProgram(row.arguments);
        EXPECT_EQ(code, row.code) << row.arguments;
        for (const std::string& text : row.output) {
            EXPECT_NE(output.find(text), std::string::npos) << text << " in " << output;
        }
    }
}

} // namespace
} // namespace vanemark
