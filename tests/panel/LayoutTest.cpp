#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"

#include "core/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace vanemark;

namespace {

// A layout file in a temporary folder that goes with the object.
struct LayoutFile {
    explicit LayoutFile(const std::string& text) : path(dir.Write("Vanemark.cfg", text)) {}
    test::TempDir dir;
    std::string path;
};

BarElement LoadBar(const std::string& keys)
{
    const LayoutFile file("[bar]\r\n" + keys);
    ProfileFile profile(file.path, '#');
    BarElement bar;
    EXPECT_EQ(bar.LoadSection(profile, "bar", 0, 0, 0, 0), 0);
    return bar;
}

} // namespace

TEST(Layout, MissingFileGivesTheDefaults)
{
    CPanelCtrl panel;
    panel.SetInstrumentColour(0x123456);
    EXPECT_EQ(panel.LoadLayout("/nonexistent/Vanemark.cfg"), 0);
    const PanelLayout& layout = panel.Layout();
    EXPECT_EQ(std::tuple(layout.fullFlapAngle, layout.takeoffAngle, layout.combatAngle, layout.landingAngle),
              std::tuple(60.0, 18.0, 30.0, 60.0));
    EXPECT_EQ(std::tuple(layout.flapsDial, layout.stickSquare, layout.speedBox),
              std::tuple(PixelRect{75, -20, 125, 30}, PixelRect{20, 5, 120, 105}, PixelRect{70, 120, 145, 140}));
    for (const BarElement& bar : panel.bars) {
        EXPECT_TRUE(bar.settings.rect.IsEmpty());
        EXPECT_EQ(bar.settings.show, 1);
        EXPECT_EQ(bar.settings.fillColour, 0x123456);
        EXPECT_EQ(bar.settings.borderColour, 0x123456);
    }
    const LayoutWindowSize size = ReadWindowSize("/nonexistent/Vanemark.cfg");
    EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(140, 140));
}

TEST(Layout, ReadsEverySectionAndScalesTheMarks)
{
    const LayoutFile file("# comment\r\n[window]\r\ncx=278\r\ncy=82\r\n"
                          "[flaps]\r\nlen=10\r\nstart=50,40\r\nfull=80\r\ntakeoff=25\r\ncombat=10 # note\r\n"
                          "[stick]\r\ntop=3,4\r\nsize=60\r\n"
                          "[speed]\r\ntop=100,2\r\nsize=40,12\r\n"
                          "[rtrim]\r\ntop=200,10\r\nsize=30,6\r\ntype=dual\r\ndir=left\r\nfill color=255\r\n");
    CPanelCtrl panel;
    panel.SetInstrumentColour(0xC0FFC0);
    panel.LoadLayout(file.path);
    const PanelLayout& layout = panel.Layout();
    // The marks scale with full: take-off 25 of 100 is 20 of 80.
    EXPECT_EQ(std::tuple(layout.takeoffAngle, layout.combatAngle, layout.landingAngle), std::tuple(20.0, 8.0, 80.0));
    EXPECT_EQ(std::tuple(layout.flapsDial, layout.stickSquare, layout.speedBox),
              std::tuple(PixelRect{40, 30, 60, 50}, PixelRect{3, 4, 63, 64}, PixelRect{100, 2, 140, 14}));

    const BarSettings& rtrim = panel.Bar(RTrimBar).settings;
    EXPECT_EQ(std::tuple(rtrim.rect, rtrim.style, rtrim.direction),
              std::tuple(PixelRect{200, 10, 230, 16}, BarStyle::Centred, BarDirection::Left));
    // The file's bar colours are read but the bars show the instrument colour.
    EXPECT_EQ(rtrim.fillColour, 0xC0FFC0);
    panel.SetInstrumentColour(0x00FF00);
    EXPECT_EQ(panel.Bar(RTrimBar).settings.fillColour, 0x00FF00);
    EXPECT_EQ(panel.Bar(PowerBar).settings.borderColour, 0x00FF00);

    const LayoutWindowSize size = ReadWindowSize(file.path);
    EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(278, 82));
}

TEST(Layout, PairsSkipEmptyPiecesAndMissingNumbersReadAsZero)
{
    EXPECT_EQ(LoadBar("top=15\r\nsize=10,10\r\n").settings.rect, (PixelRect{15, 0, 25, 10}));
    EXPECT_EQ(LoadBar("top=,5\r\nsize=10,10\r\n").settings.rect, (PixelRect{5, 0, 15, 10}));
    EXPECT_EQ(LoadBar("top= 7 , 8\r\nsize=abc,10\r\n").settings.rect, (PixelRect{7, 8, 7, 18}));
    // Without "size" the bar is empty and never drawn.
    EXPECT_TRUE(LoadBar("top=4,4\r\n").settings.rect.IsEmpty());
    // A pair longer than the value buffer counts only its first 254 characters.
    EXPECT_EQ(LoadBar("top=12," + std::string(200, '0') + "9\r\n").settings.rect.top, 9);
    EXPECT_EQ(LoadBar("top=12," + std::string(251, '0') + "9\r\n").settings.rect.top, 0);
}

TEST(Layout, WordsCountByTheirFirstLetter)
{
    for (const auto& [word, direction] : {std::pair{"left", BarDirection::Left},
                                          {"Left", BarDirection::Left},
                                          {"L", BarDirection::Left},
                                          {"down", BarDirection::Down},
                                          {"Right", BarDirection::Right},
                                          {"x", BarDirection::Up}})
        EXPECT_EQ(LoadBar(std::string("dir=") + word + "\r\n").settings.direction, direction) << word;

    // An unknown word keeps what the bar had before.
    const LayoutFile file("[a]\r\ndir=down\r\n[b]\r\ndir=x\r\n[c]\r\ndir=u\r\n");
    ProfileFile profile(file.path, '#');
    BarElement bar;
    bar.LoadSection(profile, "a", 0, 0, 0, 0);
    bar.LoadSection(profile, "b", 0, 0, 0, 0);
    EXPECT_EQ(bar.settings.direction, BarDirection::Down);
    bar.LoadSection(profile, "c", 0, 0, 0, 0);
    EXPECT_EQ(bar.settings.direction, BarDirection::Up);

    for (const auto& [word, style] : {std::pair{"full", BarStyle::Full},
                                      {"", BarStyle::Full},
                                      {"centred", BarStyle::Full},
                                      {"dual", BarStyle::Centred},
                                      {"D", BarStyle::Centred}})
        EXPECT_EQ(LoadBar(std::string("type=") + word + "\r\n").settings.style, style) << word;
}

TEST(Layout, ShowAndPenRules)
{
    EXPECT_EQ(LoadBar("show=5\r\n").settings.show, 1);
    EXPECT_EQ(LoadBar("show=0\r\n").settings.show, 0);
    EXPECT_EQ(LoadBar("show=no\r\n").settings.show, 0);
    // A negative pen is 1; one wider than the bar's smaller side becomes half of that side.
    for (const auto& [pen, width] : {std::pair{-3, 1}, {0, 0}, {30, 5}, {10, 10}})
        EXPECT_EQ(LoadBar("pen=" + std::to_string(pen) + "\r\nsize=20,10\r\n").settings.penWidth, width) << pen;
    EXPECT_EQ(LoadBar("fill color=255\r\nborder color=16711680\r\n").settings.fillColour, 255);
    EXPECT_EQ(LoadBar("border color=16711680\r\n").settings.borderColour, 0xFF0000);

    const LayoutFile file("[x]\r\n");
    ProfileFile profile(file.path, '#');
    BarElement bar;
    bar.LoadSection(profile, "x", 3, 4, 5, 6);
    EXPECT_EQ(bar.settings.rect, (PixelRect{3, 4, 8, 10}));
}
