#include "tools/SimCommandLine.h"

#include "../devicelink/LoopbackServer.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace vanemark {
namespace {

TEST(SimCommandLine, ReadsEveryOptionAndRejectsBadOnes)
{
    SimCommandLine line;
    std::string error;
    const std::vector<std::string_view> all{
        "--host", "127.0.0.2", "--port",   "21200",  "--verbose", "--silent-after", "5", "--resume-after", "2.5",
        "--drop", "10",        "--online", "--seed", "7",         "--duration",     "3"};
    ASSERT_EQ(line.Parse(all, error), 0) << error;
    const DeviceLinkSimOptions& o = line.options;
    EXPECT_EQ(std::tuple(o.host, o.port, o.verbose, o.silentAfter, o.resumeAfter, o.dropPercent, o.online, o.seed,
                         line.duration),
              std::tuple("127.0.0.2", 21200, true, 5.0, 2.5, 10.0, true, 7u, 3.0));
    SimCommandLine defaults;
    ASSERT_EQ(defaults.Parse({}, error), 0);
    EXPECT_EQ(std::tuple(defaults.options.host, defaults.options.port), std::tuple("127.0.0.1", 21100));
    EXPECT_LT(defaults.duration, 0.0);

    for (const std::vector<std::string_view>& args :
         std::vector<std::vector<std::string_view>>{{"--port", "70000"},
                                                    {"--port", "12x"},
                                                    {"--drop", "101"},
                                                    {"--silent-after", "-1"},
                                                    {"--duration"},
                                                    {"--frobnicate"}}) {
        SimCommandLine bad;
        error.clear();
        EXPECT_EQ(bad.Parse(args, error), -1) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

// Runs the program through the shell; its exit code and output.
std::pair<int, std::string> RunProgram(const std::string& arguments)
{
    test::TempDir dir;
    const std::string out = dir.File("out.txt");
    const std::string command = std::string("'") + DEVICELINK_SIM_EXE + "' " + arguments + " > '" + out + "' 2>&1";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::TempDir::Read(out)};
}

TEST(SimProgram, ServesUntilItsDurationEnds)
{
    const std::string command = std::string("'") + DEVICELINK_SIM_EXE + "' --port 0 --duration 3 --verbose 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::array<char, 256> line{};
    ASSERT_NE(fgets(line.data(), line.size(), pipe), nullptr);
    const std::string first(line.data());
    const std::string prefix = "devicelink-sim: answering on 127.0.0.1:";
    ASSERT_TRUE(first.starts_with(prefix)) << first;
    const int port = std::stoi(first.substr(prefix.size()));

    test::LoopbackServer().SendTo(port, "R/22");
    std::string output;
    while (fgets(line.data(), line.size(), pipe) != nullptr) {
        output += line.data();
    }
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(output.find("> R/22\n"), std::string::npos) << output;
    EXPECT_NE(output.find("< A/22\\" + std::string(SimFlight::kAircraft)), std::string::npos) << output;
    EXPECT_NE(output.find("1 requests, 1 replies"), std::string::npos) << output;
}

TEST(SimProgram, FailsClearlyOnBadOptionsAndBusyPorts)
{
    test::LoopbackServer busy;
    const auto [code, output] = RunProgram("--port " + std::to_string(busy.Port()) + " --duration 5");
    EXPECT_EQ(code, 1);
    EXPECT_NE(output.find("devicelink-sim: unable to listen on 127.0.0.1:"), std::string::npos) << output;

    const auto [badCode, badOutput] = RunProgram("--port nope");
    EXPECT_EQ(badCode, 1);
    EXPECT_NE(badOutput.find("invalid value 'nope' for --port"), std::string::npos) << badOutput;

    const auto [helpCode, help] = RunProgram("--help");
    EXPECT_EQ(helpCode, 0);
    EXPECT_NE(help.find("--silent-after"), std::string::npos);
}

} // namespace
} // namespace vanemark
