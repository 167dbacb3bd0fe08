#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"

#include "core/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace vanemark;

namespace {

// A layout file in a private temporary directory, removed with the object.
class LayoutFile {
public:
    explicit LayoutFile(const std::string& text)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              (std::string("vanemark-layout-") + info->name() + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        path = (dir / "Vanemark.cfg").string();
        std::ofstream(path, std::ios::binary) << text;
    }
    ~LayoutFile() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
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
    EXPECT_EQ(layout.flapsDial, (PixelRect{75, -20, 125, 30}));
    EXPECT_DOUBLE_EQ(layout.fullFlapAngle, 60.0);
    EXPECT_DOUBLE_EQ(layout.takeoffAngle, 18.0);
    EXPECT_DOUBLE_EQ(layout.combatAngle, 30.0);
    EXPECT_DOUBLE_EQ(layout.landingAngle, 60.0);
    EXPECT_EQ(layout.stickSquare, (PixelRect{20, 5, 120, 105}));
    EXPECT_EQ(layout.speedBox, (PixelRect{70, 120, 145, 140}));
    for (const BarElement& bar : panel.bars) {
        EXPECT_TRUE(bar.settings.rect.IsEmpty());
        EXPECT_EQ(bar.settings.show, 1);
        EXPECT_EQ(bar.settings.fillColour, 0x123456);
        EXPECT_EQ(bar.settings.borderColour, 0x123456);
    }
    const LayoutWindowSize size = ReadWindowSize("/nonexistent/Vanemark.cfg");
    EXPECT_EQ(size.cx, 140);
    EXPECT_EQ(size.cy, 140);
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
    EXPECT_EQ(layout.flapsDial, (PixelRect{40, 30, 60, 50}));
    EXPECT_DOUBLE_EQ(layout.takeoffAngle, 20.0);
    EXPECT_DOUBLE_EQ(layout.combatAngle, 8.0);
    EXPECT_DOUBLE_EQ(layout.landingAngle, 80.0);
    EXPECT_EQ(layout.stickSquare, (PixelRect{3, 4, 63, 64}));
    EXPECT_EQ(layout.speedBox, (PixelRect{100, 2, 140, 14}));

    const BarSettings& rtrim = panel.Bar(RTrimBar).settings;
    EXPECT_EQ(rtrim.rect, (PixelRect{200, 10, 230, 16}));
    EXPECT_EQ(rtrim.style, BarStyle::Centred);
    EXPECT_EQ(rtrim.direction, BarDirection::Left);
    // The file's bar colours are read but the bars show the instrument colour.
    EXPECT_EQ(rtrim.fillColour, 0xC0FFC0);
    panel.SetInstrumentColour(0x00FF00);
    EXPECT_EQ(panel.Bar(RTrimBar).settings.fillColour, 0x00FF00);
    EXPECT_EQ(panel.Bar(PowerBar).settings.borderColour, 0x00FF00);

    const LayoutWindowSize size = ReadWindowSize(file.path);
    EXPECT_EQ(size.cx, 278);
    EXPECT_EQ(size.cy, 82);
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
    for (const char* word : {"left", "Left", "L"})
        EXPECT_EQ(LoadBar(std::string("dir=") + word + "\r\n").settings.direction, BarDirection::Left) << word;
    EXPECT_EQ(LoadBar("dir=down\r\n").settings.direction, BarDirection::Down);
    EXPECT_EQ(LoadBar("dir=Right\r\n").settings.direction, BarDirection::Right);
    EXPECT_EQ(LoadBar("dir=x\r\n").settings.direction, BarDirection::Up);

    // An unknown word keeps what the bar had before.
    const LayoutFile file("[a]\r\ndir=down\r\n[b]\r\ndir=x\r\n[c]\r\ndir=u\r\n");
    ProfileFile profile(file.path, '#');
    BarElement bar;
    bar.LoadSection(profile, "a", 0, 0, 0, 0);
    bar.LoadSection(profile, "b", 0, 0, 0, 0);
    EXPECT_EQ(bar.settings.direction, BarDirection::Down);
    bar.LoadSection(profile, "c", 0, 0, 0, 0);
    EXPECT_EQ(bar.settings.direction, BarDirection::Up);

    EXPECT_EQ(LoadBar("type=full\r\n").settings.style, BarStyle::Full);
    EXPECT_EQ(LoadBar("type=\r\n").settings.style, BarStyle::Full);
    EXPECT_EQ(LoadBar("type=centred\r\n").settings.style, BarStyle::Full);
    EXPECT_EQ(LoadBar("type=dual\r\n").settings.style, BarStyle::Centred);
    EXPECT_EQ(LoadBar("type=D\r\n").settings.style, BarStyle::Centred);
}

TEST(Layout, ShowAndPenRules)
{
    EXPECT_EQ(LoadBar("show=5\r\n").settings.show, 1);
    EXPECT_EQ(LoadBar("show=0\r\n").settings.show, 0);
    EXPECT_EQ(LoadBar("show=no\r\n").settings.show, 0);
    EXPECT_EQ(LoadBar("pen=-3\r\nsize=20,10\r\n").settings.penWidth, 1);
    EXPECT_EQ(LoadBar("pen=0\r\nsize=20,10\r\n").settings.penWidth, 0);
    EXPECT_EQ(LoadBar("pen=30\r\nsize=20,10\r\n").settings.penWidth, 5);
    EXPECT_EQ(LoadBar("pen=10\r\nsize=20,10\r\n").settings.penWidth, 10);
    EXPECT_EQ(LoadBar("fill color=255\r\nborder color=16711680\r\n").settings.fillColour, 255);
    EXPECT_EQ(LoadBar("border color=16711680\r\n").settings.borderColour, 0xFF0000);

    const LayoutFile file("[x]\r\n");
    ProfileFile profile(file.path, '#');
    BarElement bar;
    bar.LoadSection(profile, "x", 3, 4, 5, 6);
    EXPECT_EQ(bar.settings.rect, (PixelRect{3, 4, 8, 10}));
}

TEST(Layout, ShippedLayoutShowsEveryInstrumentInsideItsWindow)
{
    const std::string path = std::string(VANEMARK_SOURCE_DIR) + "/res/Vanemark.cfg";
    const LayoutWindowSize size = ReadWindowSize(path);
    EXPECT_EQ(size.cx, 278);
    EXPECT_EQ(size.cy, 82);
    const PixelRect window{0, 0, size.cx, size.cy};

    CPanelCtrl panel;
    panel.LoadLayout(path);
    const PanelLayout& layout = panel.Layout();
    // Flap positions as the simulator reports them: combat ~20 %, take-off ~33 %, landing 100 % of full.
    EXPECT_NEAR(layout.combatAngle / layout.fullFlapAngle, 0.20, 0.02);
    EXPECT_NEAR(layout.takeoffAngle / layout.fullFlapAngle, 0.33, 0.02);
    EXPECT_DOUBLE_EQ(layout.landingAngle, layout.fullFlapAngle);

    auto inside = [&](const PixelRect& r) {
        return r.left >= window.left && r.top >= window.top && r.right <= window.right && r.bottom <= window.bottom;
    };
    EXPECT_TRUE(inside({layout.stickSquare.left, layout.stickSquare.top, layout.stickSquare.right + 1,
                        layout.stickSquare.bottom + 1}));
    EXPECT_TRUE(inside(layout.speedBox));
    for (std::size_t i = 0; i < BarCount; ++i) {
        const BarSettings& bar = panel.bars[i].settings;
        EXPECT_EQ(bar.show, 1) << barSections[i];
        EXPECT_FALSE(bar.rect.IsEmpty()) << barSections[i];
        EXPECT_TRUE(inside(bar.rect)) << barSections[i];
        for (std::size_t j = 0; j < i; ++j) {
            const PixelRect& o = panel.bars[j].settings.rect;
            const bool overlap = bar.rect.left < o.right && o.left < bar.rect.right && bar.rect.top < o.bottom &&
                                 o.top < bar.rect.bottom;
            EXPECT_FALSE(overlap) << barSections[i] << " overlaps " << barSections[j];
        }
    }
}
