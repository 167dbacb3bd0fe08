#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"

#include "core/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace vanemark;

namespace {

BarSettings LoadBar(const std::string& keys, BarElement bar = {})
{
    const test::TempDir dir;
    ProfileFile profile(dir.Write("Vanemark.cfg", "[bar]\r\n" + keys), '#');
    EXPECT_EQ(bar.LoadSection(profile, "bar", 3, 4, 0, 0), 0);
    return bar.Settings();
}

PanelColours WithInstruments(Colour colour)
{
    PanelColours colours;
    colours[PanelColours::Instruments] = colour;
    return colours;
}

} // namespace

// The golden pictures show the shipped and the default layout; this is the reading behind them.
TEST(Layout, ReadsEverySection)
{
    const test::TempDir dir;
    const std::string path =
        dir.Write("Vanemark.cfg", "# comment\r\n[window]\r\ncx=278\r\ncy=82\r\n"
                                  "[flaps]\r\nlen=10\r\nstart=50,40\r\nfull=80\r\ntakeoff=25\r\ncombat=10 # note\r\n"
                                  "[stick]\r\ntop=3,4\r\nsize=60\r\n[speed]\r\ntop=100,2\r\nsize=40,12\r\n"
                                  "[rtrim]\r\ntop=200,10\r\nsize=30,6\r\nfill color=255\r\n");
    CPanelCtrl panel;
    // The file's bar colours are read but the bars show the instrument colour, set before loading or after.
    panel.SetColours(WithInstruments(0x123456));
    EXPECT_EQ(panel.LoadLayout(path), 0);
    const PanelLayout& l = panel.Layout();
    EXPECT_EQ(std::tuple(l.flapsDial, l.stickSquare, l.speedBox),
              std::tuple(PixelRect{40, 30, 60, 50}, PixelRect{3, 4, 63, 64}, PixelRect{100, 2, 140, 14}));
    // The marks scale with full: take-off 25 of 100 is 20 of 80.
    EXPECT_EQ(std::tuple(l.fullFlapAngle, l.takeoffAngle, l.combatAngle, l.landingAngle),
              std::tuple(80.0, 20.0, 8.0, 80.0));
    const BarSettings& rtrim = panel.Bar(RTrimBar).Settings();
    EXPECT_EQ(std::pair(rtrim.rect, rtrim.fillColour), std::pair(PixelRect{200, 10, 230, 16}, 0x123456));
    panel.SetColours(WithInstruments(0x00FF00));
    EXPECT_EQ(std::pair(rtrim.fillColour, panel.Bar(PowerBar).Settings().borderColour), std::pair(0x00FF00, 0x00FF00));
    const LayoutWindowSize window = ReadWindowSize(path);
    EXPECT_EQ(std::pair(window.cx, window.cy), std::pair(278, 82));
}

TEST(Layout, BarKeys)
{
    // Pairs: missing numbers read as 0, empty pieces are skipped, only the
    // first 254 characters count; the section's fallbacks give "top".
    for (const auto& [keys, rect] : {std::pair{std::string("top=15\r\nsize=10,10\r\n"), PixelRect{15, 0, 25, 10}},
                                     {"top=,5\r\nsize=10,10\r\n", {5, 0, 15, 10}},
                                     {"top= 7 , 8\r\nsize=abc,10\r\n", {7, 8, 7, 18}},
                                     {"size=5,6\r\n", {3, 4, 8, 10}},
                                     {"top=12," + std::string(200, '0') + "9\r\n", {12, 9, 12, 9}},
                                     {"top=12," + std::string(251, '0') + "9\r\n", {12, 0, 12, 0}},
                                     // Numbers are cut to what a screen holds as they are read.
                                     {"top=-40000,2147483647\r\nsize=99999,5\r\n", {-32767, 32767, 0, 32772}}}) {
        EXPECT_EQ(LoadBar(keys).rect, rect) << keys;
    }

    // Words count by their first letter; an unknown direction keeps what the bar had.
    const BarElement down(LoadBar("dir=down\r\n"));
    EXPECT_EQ(LoadBar("dir=x\r\n", down).direction, BarDirection::Down);
    EXPECT_EQ(LoadBar("dir=u\r\n", down).direction, BarDirection::Up);
    using enum BarDirection;
    for (const auto& [keys, direction, style] : {std::tuple{"dir=left\r\ntype=dual\r\n", Left, BarStyle::Centred},
                                                 {"dir=L\r\ntype=D\r\n", Left, BarStyle::Centred},
                                                 {"dir=Right\r\ntype=full\r\n", Right, BarStyle::Full},
                                                 {"dir=\r\ntype=centred\r\n", Up, BarStyle::Full}}) {
        const BarSettings bar = LoadBar(keys);
        EXPECT_EQ(std::pair(bar.direction, bar.style), std::pair(direction, style)) << keys;
    }
    EXPECT_EQ(std::pair(LoadBar("show=5\r\n").show, LoadBar("show=no\r\n").show), std::pair(1, 0));
    // A negative pen is 1; one wider than the bar's smaller side becomes half of that side.
    for (const auto& [pen, width] : {std::pair{-3, 1}, {0, 0}, {30, 5}, {10, 10}}) {
        EXPECT_EQ(LoadBar("pen=" + std::to_string(pen) + "\r\nsize=20,10\r\n").penWidth, width) << pen;
    }
    const BarSettings coloured = LoadBar("fill color=255\r\nborder color=16711680\r\n");
    EXPECT_EQ(std::pair(coloured.fillColour, coloured.borderColour), std::pair(255, 0xFF0000));
}
