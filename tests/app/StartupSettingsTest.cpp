#include "app/StartupSettings.h"
#include "app/CommandLine.h"
#include "app/PlatformChoice.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace vanemark;

TEST(StartupSettings, IntervalServerAndPositionRules)
{
    // Whole ticks of 25 ms, at least one; start-up also caps at 10000, the running window does not.
    for (const auto& [ms, atStart, running] : {std::tuple{10, 25, 25},
                                               {24, 25, 25},
                                               {-30, 25, 25},
                                               {130, 125, 125},
                                               {510, 500, 500},
                                               {525, 525, 525},
                                               {10024, 10000, 10000},
                                               {20000, 10000, 20000}}) {
        EXPECT_EQ(NormaliseStartupInterval(ms), atStart) << ms;
        EXPECT_EQ(NormaliseRuntimeInterval(ms), running) << ms;
    }

    for (const auto& [text, port, host] : {std::tuple{std::string(kDefaultServer), 21100, "127.0.0.1"},
                                           {"21100", 21100, "127.0.0.1"},
                                           {"21100,192.168.1.5", 21100, "192.168.1.5"},
                                           {"  4000 =\t10.0.0.2 , 10.0.0.3", 4000, "10.0.0.2"},
                                           {"abc", 0, "127.0.0.1"},
                                           {"", 21100, "127.0.0.1"}}) {
        const auto server = ParseServer(text);
        EXPECT_EQ(server.port, port) << text;
        EXPECT_EQ(server.host, host) << text;
    }

    const auto p = ParsePosition(kDefaultPosition);
    EXPECT_EQ((std::array{p.top, p.bottom, p.left, p.right}), (std::array{0, 82, 0, 278}));
    const auto missing = ParsePosition("100  -5"); // missing numbers read as zero
    EXPECT_EQ((std::array{missing.top, missing.bottom, missing.left, missing.right}), (std::array{100, -5, 0, 0}));
    EXPECT_EQ(FormatPosition({100, 182, 40, 318}), "100 182 40 318");
    const auto back = ParsePosition(FormatPosition({-3, 79, -40, 238}));
    EXPECT_EQ((std::array{back.top, back.bottom, back.left, back.right}), (std::array{-3, 79, -40, 238}));
}

TEST(StartupSettings, LogFileReplacesOnlyTheFileExtension)
{
    EXPECT_EQ(LogFileNameFor("Vanemark.ini"), "Vanemark.log");
    EXPECT_EQ(LogFileNameFor("Vanemark"), "Vanemark.log");
    EXPECT_EQ(LogFileNameFor(".hidden"), ".hidden.log");
    EXPECT_EQ(LogFileNameFor("conf.d/Vanemark"), "conf.d/Vanemark.log");
    EXPECT_EQ(LogFileNameFor("conf.d/my.settings.ini"), "conf.d/my.settings.log");
}

TEST(CommandLine, AcceptsTheDocumentedOptions)
{
    // settings file, demo, snapshot, cycles, verbose, version, help
    using Fields = std::tuple<std::string, bool, std::string, int, bool, bool, bool>;
    for (const auto& [args, expected] : std::vector<std::pair<std::vector<std::string>, Fields>>{
             {{}, {"", false, "-", 3, false, false, false}},
             {{"my.ini", "--demo", "--snapshot", "out.png", "--cycles", "7", "--verbose"},
              {"my.ini", true, "out.png", 7, true, false, false}},
             {{"--snapshot=a.png", "--cycles=1", "--", "--odd-name.ini"},
              {"--odd-name.ini", false, "a.png", 1, false, false, false}},
             {{"--version", "-h"}, {"", false, "-", 3, false, true, true}}}) {
        const auto r = ParseCommandLine(args);
        ASSERT_TRUE(r.options) << r.error;
        const CommandLine& o = *r.options;
        EXPECT_EQ(Fields(o.settingsFile, o.demo, o.snapshot.value_or("-"), o.cycles, o.verbose, o.version, o.help),
                  expected);
    }
}

TEST(CommandLine, RejectsWrongLinesWithAReason)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{"--bogus"},
                                                                  {"-x"},
                                                                  {"a.ini", "b.ini"},
                                                                  {"--snapshot"},
                                                                  {"--snapshot="},
                                                                  {"--snapshot", "a.png", "--cycles", "0"},
                                                                  {"--snapshot", "a.png", "--cycles", "3x"},
                                                                  {"--snapshot", "a.png", "--cycles"},
                                                                  {"--cycles", "4"}}) {
        const auto r = ParseCommandLine(args);
        EXPECT_FALSE(r.options) << args.front();
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_NE(UsageText("vanemark").find("--snapshot FILE.png [--cycles N]"), std::string::npos);
}

TEST(PlatformChoice, WaylandUsesXWaylandUnlessTheUserChose)
{
    auto env = [](std::map<std::string, std::string> vars) {
        return [vars](std::string_view name) {
            auto it = vars.find(std::string(name));
            return it == vars.end() ? std::string() : it->second;
        };
    };
    EXPECT_EQ(ChoosePlatform(env({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), false), "xcb");
    EXPECT_EQ(ChoosePlatform(env({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}), false), "xcb");
    EXPECT_FALSE(ChoosePlatform(
        env({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}), false));
    // Without XWayland there is nothing better than Qt's own choice.
    EXPECT_FALSE(ChoosePlatform(env({{"WAYLAND_DISPLAY", "wayland-0"}}), false));
    EXPECT_FALSE(ChoosePlatform(env({{"DISPLAY", ":0"}}), false));
    EXPECT_EQ(ChoosePlatform(env({}), true), "offscreen");
    EXPECT_FALSE(ChoosePlatform(env({}), false));
}
