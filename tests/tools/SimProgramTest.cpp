// The stand-in server: its answers, its socket and its program.
#include "flightlog/FlightColumns.h"
#include "tools/SimCommandLine.h"

#include "../devicelink/LoopbackServer.h"
#include "../support/TempDir.h"
#include "../support/Wine.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
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
         {"/2\\" + std::string(SimFlight::kVersion), std::string("/20\\10.166667"), std::string("/64\\0\\"),
          std::string("/4\\30\\1"), std::string("/6\\83\\1"), std::string("/6\\30\\0")}) {
        EXPECT_NE(answer.find(field), std::string::npos) << field << " in " << answer;
    }
    EXPECT_EQ(sim.Answer("R/20", 840.0), "A/20\\0.0"); // midnight

    // Nothing odd in a request gets an error: unknown ids, a missing engine and
    // odd ids are passed over, a non-digit in a key ends the request before that
    // key, blanks in a key are skipped and keys wrap at 2^32.
    sim.SetValue(30, "250.5");
    for (const auto& [request, reply] : std::initializer_list<std::pair<std::string_view, std::string_view>>{
             {"R/64\\3/64/998/31", ""},
             {"X/30", ""},
             {"R/81\\0.5", ""}, // sets 80
             {"R/998/80R/31/30", "A/80\\0.5/30\\250.5"},
             {"R/30x/80", ""},
             {"R/30/abc/80", "A/30\\250.5"},
             {"R/ 3 0", "A/30\\250.5"},
             {"R/4294967326", "A/30\\250.5"}}) {
        EXPECT_EQ(sim.Answer(request, 1.0), reply) << request;
    }

    // A late aircraft: no name for a while, pinned or not.
    sim.SetValue(22, "Late Mk.I");
    sim.SetReadable(22, false);
    EXPECT_EQ(sim.Answer("R/22/30", 1.0), "A/30\\250.5");
    sim.SetReadable(22, true);
    EXPECT_EQ(sim.Answer("R/22", 1.0), "A/22\\Late Mk.I");
    sim.ClearValue(22);
    // Values are escaped; the second aircraft of the flight has a "/" before a digit.
    EXPECT_EQ(sim.Answer("R/22", SimFlight::kAircraftSeconds + 1.0), R"(A/22\Fighter Mk.V\/2b)");
    // Each character keeps its low seven bits before escaping: U+00FC, U+00AF and
    // the two halves of U+1F62F.
    sim.SetValue(22, "a\\b \xC3\xBC\xC2\xAF\xF0\x9F\x98\xAF");
    EXPECT_EQ(sim.Answer("R/22", 1.0), R"(A/22\a\\b |\/=\/)");
    // Two decimals as the simulator prints them, its lost carry, negative zero and int casts included.
    for (const auto& [value, text] : {std::pair(0.997, "0.100"),
                                      {-0.996, "-0.100"},
                                      {250.996, "250.100"},
                                      {-0.003, "-0.00"},
                                      {0.994, "0.99"},
                                      {-12.5, "-12.50"},
                                      {std::nan(""), "0.00"},
                                      {3e9, "2147483647.2147483647"},
                                      {-3e9, "-2147483647.2147483647"}}) {
        EXPECT_EQ(SimFlight::Print(value), text) << value;
    }
    const std::pair<float, const char*> clocks[] = {
        {12.000557F, "12.000557"}, {5.555556E-4F, "5.555556E-4"}, {0.0F, "0.0"},  {10.0F, "10.0"}, {0.001F, "0.001"},
        {0.0123F, "0.0123"},       {9999999.0F, "9999999.0"},     {1e7F, "1.0E7"}};
    for (const auto& [hours, text] : clocks) {
        EXPECT_EQ(SimFlight::PrintClock(hours), text) << hours;
    }

    // A network game hides aircraft data, not controls; out of the cockpit only the clock answers.
    DeviceLinkSim online({.port = 0, .online = true, .notInCockpitAfter = 5.0});
    EXPECT_EQ(online.Answer("R/30/40/42/46/48/64\\0/28", 1.0), "");
    EXPECT_EQ(online.Answer("R/30/80/22", 1.0).substr(0, 5), "A/80\\");
    EXPECT_EQ(online.Answer("R/22/80/2/4\\20/81\\1/20", 6.0), "A/20\\10.1");
    EXPECT_NE(online.Answer("R/80", 1.0), "A/80\\1"); // nor does a set count
    sim.SetInCockpit(false);
    EXPECT_EQ(sim.Answer("R/22/30/20", 30.0), "A/20\\10.5");
    sim.SetInCockpit(true);
    EXPECT_TRUE(sim.Answer("R/22", 30.0).starts_with("A/22\\"));
}

// Senders are matched by the exact text of their address, and a reply too long
// for one datagram is not sent at all, not even in part.
TEST(DeviceLinkSim, AnswersListedSendersOnlyAndNeverSplits)
{
    test::LoopbackServer client;
    std::string error;
    for (const auto& [ips, answered] :
         {std::pair("", true), {"10.0.0.1  127.0.0.1", true}, {"localhost 127.000.000.001 127.0.0.10", false}}) {
        DeviceLinkSim sim({.port = 0, .verbose = true, .ips = ips});
        std::atomic<bool> ignored{false};
        sim.SetLog([&](std::string_view line) { ignored = ignored || line.find("(ignored") != line.npos; });
        sim.SetValue(30, "1");
        ASSERT_EQ(sim.Start(error), 0) << error;
        client.SendTo(sim.Port(), "R/30");
        if (answered) {
            EXPECT_EQ(client.Receive(), "A/30\\1") << ips;
        } else {
            EXPECT_TRUE(test::WaitUntil([&] { return ignored.load(); }) && sim.Replies() == 0) << ips;
        }
    }
    DeviceLinkSim sim({.port = 0});
    ASSERT_EQ(sim.Start(error), 0) << error;
    const std::string name(DeviceLinkSim::kMaxDatagram - 4, 'n'); // after "A/22\": one byte too many
    sim.SetValue(22, name);
    client.SendTo(sim.Port(), "R/22/2");
    client.SendTo(sim.Port(), "R/2");
    EXPECT_EQ(client.Receive(), "A/2\\" + std::string(SimFlight::kVersion)); // the reply to the second
    sim.SetValue(22, name.substr(1));
    client.SendTo(sim.Port(), "R/22");
    EXPECT_EQ(client.Receive().value_or("").size(), DeviceLinkSim::kMaxDatagram);
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
        "--host", "127.0.0.2", "--port",   "21200",  "--verbose", "--silent-after",   "5", "--resume-after", "2.5",
        "--drop", "10",        "--online", "--seed", "7",         "--duration",       "3", "--replay",       "f.csv",
        "--loop", "--rate",    "2",        "--ips",  "a b",       "--not-in-cockpit", "4"};
    ASSERT_EQ(line.Parse(all, error), 0) << error;
    const DeviceLinkSimOptions& o = line.options;
    EXPECT_EQ(std::tuple(o.host, o.port, o.verbose, o.silentAfter, o.resumeAfter, o.dropPercent, o.online, o.seed,
                         line.duration, line.replayPath, line.loop, line.rate, o.ips, o.notInCockpitAfter),
              std::tuple("127.0.0.2", 21200, true, 5.0, 2.5, 10.0, true, 7u, 3.0, "f.csv", true, 2.0, "a b", 4.0));
    SimCommandLine defaults; // no host: the machine's network address
    ASSERT_EQ(defaults.Parse({}, error), 0);
    EXPECT_EQ(std::tuple(defaults.options.host, defaults.options.port, defaults.duration < 0.0, defaults.options.ips,
                         defaults.options.notInCockpitAfter < 0.0),
              std::tuple("", 21100, true, "", true));
    // The other simulators: their own port, 127.0.0.1, and their own options.
    for (const auto& [args, port, hz, zero] :
         {std::tuple(std::vector<std::string_view>{"--protocol", "xplane", "--rref-zero"}, 49000, 30, true),
          {{"--protocol", "il2gb", "--hz", "60"}, 4322, 60, false},
          {{"--protocol", "flightgear"}, 5505, 30, false},
          {{"--protocol", "warthunder"}, 8111, 30, false}}) {
        SimCommandLine other;
        ASSERT_EQ(other.Parse(args, error), 0) << error;
        EXPECT_EQ(std::tuple(other.options.host, other.options.port, other.hz, other.rrefZero),
                  std::tuple("127.0.0.1", port, hz, zero));
    }
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
    const std::string bad = dir.Write("bad.csv", FlightHeader().append("\n0,1,x,0,0,0,0,0,0,0,0,0,0,0,a,,,,,,,,,\n"));
    struct Row {
        std::string arguments;
        int code;
        std::vector<std::string> output;
    };
    for (const Row& row :
         {Row{"--host 127.0.0.1 --port 0 --duration 1 --verbose",
              0,
              {"> R/22\n", "< A/22\\" + std::string(SimFlight::kAircraft), "1 requests, 1 replies"}},
          {"--replay " + bad, 1, {bad + ":2: power 'x' is not a number"}},
          {"--replay " + bad + "-gone", 1, {bad + "-gone: No such file"}},
          {"--loop --host 127.0.0.1 --port 0 --duration 0", 1, {"--loop and --rate need --replay"}},
          {"--rate 1 --host 127.0.0.1 --port 0 --duration 0", 1, {"--loop and --rate need --replay"}},
          {"--rate 0 --replay " + bad, 1, {"invalid value '0' for --rate"}},
          {"--host 127.0.0.1 --port " + std::to_string(busy.Port()) + " --duration 5",
           1,
           {"unable to listen on 127.0.0.1:"}},
          {"--host 203.0.113.1 --port 70000", 1, {"listening on 65000", "unable to listen on 203.0.113.1:65000:"}},
          {"--not-in-cockpit x", 1, {"invalid value 'x' for --not-in-cockpit"}},
          {"--port 12x", 1, {"invalid value '12x' for --port"}},
          {"--drop 101", 1, {"invalid value '101' for --drop"}},
          {"--silent-after -1", 1, {"invalid value '-1' for --silent-after"}},
          {"--duration", 1, {"option --duration needs a value"}},
          {"--frobnicate", 1, {"unknown option '--frobnicate'"}},
          {"--protocol warthunder --port 0 --duration 0.2",
           0,
           {"warthunder answering on http://127.0.0.1:", "0 requests"}},
          {"--protocol x-plane", 1, {"invalid value 'x-plane' for --protocol"}},
          {"--protocol xplane --drop 5", 1, {"option --drop does not apply to --protocol xplane"}},
          {"--hz 20", 1, {"option --hz does not apply to --protocol devicelink"}},
          {"--protocol il2gb --rref-zero", 1, {"option --rref-zero does not apply to --protocol il2gb"}},
          {"--protocol flightgear --port 0", 1, {"invalid value '0' for --port"}},
          {"--protocol il2gb --hz 0", 1, {"invalid value '0' for --hz"}},
          {"--help", 0, {"--silent-after", "--ips", "--not-in-cockpit", "--protocol", "--hz", "--rref-zero"}}}) {
        if (row.arguments.starts_with("--host 203.0.113.1") && test::UnderWine()) {
            continue; // Wine binds a socket to any address, and the server would answer there for good
        }
        const auto [code, output] = RunProgram(row.arguments);
        EXPECT_EQ(code, row.code) << row.arguments;
        for (const std::string& text : row.output) {
            EXPECT_NE(output.find(text), std::string::npos) << text << " in " << output;
        }
    }
}

} // namespace
} // namespace vanemark
