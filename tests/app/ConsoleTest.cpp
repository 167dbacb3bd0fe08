// The window program answers --version and a bad command line on the
// handles it was started with, as a console program would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace {

// Exit code and everything the program wrote, through cmd.exe's redirection.
std::pair<int, std::string> RunProgram(const std::string& arguments)
{
    // cmd.exe drops the outermost quotes of the line it is given.
    const std::string program = std::filesystem::path(VANEMARK_PROGRAM).make_preferred().string();
    FILE* pipe = _popen(("\"\"" + program + "\" " + arguments + " 2>&1\"").c_str(), "r");
    std::string output;
    std::array<char, 256> line{};
    while (pipe != nullptr && std::fgets(line.data(), line.size(), pipe) != nullptr) {
        output += line.data();
    }
    return {pipe != nullptr ? _pclose(pipe) : -1, output};
}

TEST(Console, AnswersReachTheHandlesTheProgramWasGiven)
{
    const auto [versionCode, version] = RunProgram("--version");
    EXPECT_TRUE(versionCode == 0 && version.starts_with("Vanemark v")) << versionCode << ": " << version;
    const auto [refusedCode, refused] = RunProgram("--no-such-option");
    EXPECT_TRUE(refusedCode == 2 && refused.find("unknown option '--no-such-option'\nUsage:") != std::string::npos)
        << refusedCode << ": " << refused;
}

} // namespace
