#include "app/CommandLine.h"
#include "app/DemoMotion.h"
#include "app/PlatformChoice.h"
#include "app/WindowGeometry.h"
#include "config/WindowPosition.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace vanemark;

TEST(CommandLine, AcceptsTheDocumentedOptionsAndRejectsTheRest)
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
    const auto more = ParseCommandLine({"--record=f.csv", "--unlock", "--folder", "d", "--language", "de"});
    ASSERT_TRUE(more.options) << more.error;
    EXPECT_EQ(std::tuple(more.options->record.value_or("-"), more.options->unlock, more.options->folder.value_or("-"),
                         more.options->language.value_or("-"), more.options->userFolder),
              std::tuple(std::string("f.csv"), true, std::string("d"), std::string("de"), false));
    for (const auto& args : std::vector<std::vector<std::string>>{{"--bogus"},
                                                                  {"a.ini", "b.ini"},
                                                                  {"--snapshot"},
                                                                  {"--snapshot="},
                                                                  {"--snapshot", "a.png", "--cycles", "0"},
                                                                  {"--snapshot", "a.png", "--cycles", "3x"},
                                                                  {"--cycles", "4"},
                                                                  {"--record"},
                                                                  {"--folder="},
                                                                  {"--language"},
                                                                  {"--user-folder", "--folder", "d"}}) {
        const auto r = ParseCommandLine(args);
        EXPECT_FALSE(r.options) << args.front();
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(PlatformChoice, WaylandUsesXWaylandUnlessTheUserChose)
{
    using Env = std::map<std::string, std::string>;
    for (const auto& [vars, snapshot, expected] : std::vector<std::tuple<Env, bool, std::string>>{
             {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, false, "xcb"},
             {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, false, "xcb"},
             {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, false, "-"},
             {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, "-"}, // without XWayland, Qt's own choice
             {{{"DISPLAY", ":0"}}, false, "-"},
             {{}, true, "offscreen"},
             {{}, false, "-"}}) {
        const auto lookup = [&vars = vars](std::string_view name) {
            const auto it = vars.find(std::string(name));
            return it == vars.end() ? std::string() : it->second;
        };
        EXPECT_EQ(ChoosePlatform(lookup, snapshot).value_or("-"), expected);
    }
}

TEST(CycleClock, FirstCycleMeasuresNothingAndTheClockMayWrap)
{
    CycleClock clock;
    EXPECT_EQ(clock.Begin(1000), 0u);
    clock.End(1000);
    EXPECT_EQ(clock.Begin(1500), 500u);
    CycleClock wrap; // the 32-bit millisecond clock wraps after about 49.7 days
    wrap.End(0xFFFFFFF0u);
    EXPECT_EQ(wrap.Begin(0x10u), 0x20u);
}

TEST(LogFileName, ReplacesOnlyTheFileNamesOwnExtension)
{
    for (const auto& [settings, log] :
         std::vector<std::pair<std::string, std::string>>{{"Vanemark.ini", "Vanemark.log"},
                                                          {".hidden", ".hidden.log"},
                                                          {"conf.d/Vanemark", "conf.d/Vanemark.log"},
                                                          {"conf.d/my.settings.ini", "conf.d/my.settings.log"}}) {
        EXPECT_EQ(settings::LogFileNameFor(settings), log);
    }
}

// One 1280 x 800 screen, or that screen with a 1920 x 1080 one to its right,
// top-aligned; windows of 278 x 82. Only a window that no screen shows
// 32 x 32 pixels of moves, at its size, into the nearest screen.
TEST(WindowRescue, OnlyAWindowLostOnEveryScreenComesBack)
{
    const std::vector<ScreenRect> one{{0, 0, 1280, 800}};
    const std::vector<ScreenRect> two{{0, 0, 1280, 800}, {1280, 0, 3200, 1080}};
    const auto at = [](int left, int top) { return ScreenRect{left, top, left + 278, top + 82}; };
    for (const auto& [screens, window, expected] :
         std::vector<std::tuple<std::vector<ScreenRect>, ScreenRect, ScreenRect>>{
             {one, at(-5000, -3000), at(0, 0)},   // the unplugged monitor of the report
             {one, at(-246, 100), at(-246, 100)}, // 32 columns left on screen
             {one, at(-247, 100), at(0, 100)},    // 31
             {one, at(600, -50), at(600, -50)},   // partly above the top edge
             {one, at(600, 900), at(600, 718)},
             {two, at(2000, 900), at(2000, 900)}, // below the small screen, on the large one
             {two, at(500, 1200), at(500, 718)},  // nearer the small screen
             {two, at(4000, 5000), at(2922, 998)},
             {{}, at(-5000, 0), at(-5000, 0)}, // no screens known: nothing to go by
         }) {
        EXPECT_EQ(RescueWindow(window, screens), expected) << window.left << "," << window.top;
    }
    // A window smaller than the margin needs only be wholly on a screen.
    EXPECT_EQ(RescueWindow({1270, 10, 1290, 30}, one), (ScreenRect{1260, 10, 1280, 30}));
    EXPECT_EQ(RescueWindow({1260, 10, 1280, 30}, one), (ScreenRect{1260, 10, 1280, 30}));
}
