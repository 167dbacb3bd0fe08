#include "app/StartupSettings.h"
#include "app/CommandLine.h"
#include "app/PlatformChoice.h"

#include <gtest/gtest.h>

#include <map>

using namespace vanemark;

TEST(StartupSettings, IntervalIsCutToWholeTicksAndLimited)
{
    EXPECT_EQ(NormaliseStartupInterval(10), 25);
    EXPECT_EQ(NormaliseStartupInterval(24), 25);
    EXPECT_EQ(NormaliseStartupInterval(510), 500);
    EXPECT_EQ(NormaliseStartupInterval(20000), 10000);
    EXPECT_EQ(NormaliseStartupInterval(-30), 25);
    EXPECT_EQ(NormaliseStartupInterval(10024), 10000);
    EXPECT_EQ(NormaliseStartupInterval(525), 525);

    // The running window has no upper limit; the next start applies it.
    EXPECT_EQ(NormaliseRuntimeInterval(30), 25);
    EXPECT_EQ(NormaliseRuntimeInterval(20000), 20000);
    EXPECT_EQ(NormaliseRuntimeInterval(-7), 25);
    EXPECT_EQ(NormaliseRuntimeInterval(130), 125);
}

TEST(StartupSettings, ServerValueGivesPortAndHost)
{
    auto s = ParseServer(kDefaultServer);
    EXPECT_EQ(s.port, 21100);
    EXPECT_EQ(s.host, "127.0.0.1");

    s = ParseServer("21100");
    EXPECT_EQ(s.port, 21100);
    EXPECT_EQ(s.host, "127.0.0.1");

    s = ParseServer("21100,192.168.1.5");
    EXPECT_EQ(s.port, 21100);
    EXPECT_EQ(s.host, "192.168.1.5");

    s = ParseServer("  4000 =\t10.0.0.2 , 10.0.0.3");
    EXPECT_EQ(s.port, 4000);
    EXPECT_EQ(s.host, "10.0.0.2");

    s = ParseServer("abc");
    EXPECT_EQ(s.port, 0);
    EXPECT_EQ(s.host, "127.0.0.1");

    s = ParseServer("");
    EXPECT_EQ(s.port, 21100);
    EXPECT_EQ(s.host, "127.0.0.1");
}

TEST(StartupSettings, PositionRoundTripsAndMissingNumbersReadAsZero)
{
    auto p = ParsePosition(kDefaultPosition);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.bottom, 82);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 278);

    p = ParsePosition("100  -5");
    EXPECT_EQ(p.top, 100);
    EXPECT_EQ(p.bottom, -5);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);

    EXPECT_EQ(FormatPosition({100, 182, 40, 318}), "100 182 40 318");
    EXPECT_EQ(FormatPosition({-3, 79, -40, 238}), "-3 79 -40 238");
    p = ParsePosition(FormatPosition({-3, 79, -40, 238}));
    EXPECT_EQ(p.left, -40);
    EXPECT_EQ(p.right, 238);
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
    auto r = ParseCommandLine({});
    ASSERT_TRUE(r.options);
    EXPECT_TRUE(r.options->settingsFile.empty());
    EXPECT_FALSE(r.options->demo);
    EXPECT_FALSE(r.options->snapshot);
    EXPECT_EQ(r.options->cycles, 3);

    r = ParseCommandLine({"my.ini", "--demo", "--snapshot", "out.png", "--cycles", "7", "--verbose"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->settingsFile, "my.ini");
    EXPECT_TRUE(r.options->demo);
    EXPECT_EQ(r.options->snapshot.value_or(""), "out.png");
    EXPECT_EQ(r.options->cycles, 7);
    EXPECT_TRUE(r.options->verbose);

    r = ParseCommandLine({"--snapshot=a.png", "--cycles=1", "--", "--odd-name.ini"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->snapshot.value_or(""), "a.png");
    EXPECT_EQ(r.options->cycles, 1);
    EXPECT_EQ(r.options->settingsFile, "--odd-name.ini");

    r = ParseCommandLine({"--version", "-h"});
    ASSERT_TRUE(r.options);
    EXPECT_TRUE(r.options->version);
    EXPECT_TRUE(r.options->help);
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
