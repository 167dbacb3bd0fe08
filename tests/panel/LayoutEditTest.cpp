// Edit mode's model on the shipped layout: what the mouse grabs, what a drag
// does, the context menu, and what Save, Save As and Cancel leave on disk.
#include "panel/LayoutEdit.h"
#include "panel/LayoutEditOverlay.h"

#include "../support/TempDir.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

using namespace vanemark;
using Part = LayoutEdit::Part;
using Command = LayoutEdit::Command;

namespace {

const std::string kShipped = VANEMARK_SOURCE_DIR "/res/Vanemark.cfg";
constexpr LayoutArea kPower = BarArea(PowerBar);
constexpr LayoutArea kETrim = BarArea(ETrimBar);
constexpr LayoutArea kRudder = BarArea(RudderBar);

std::vector<std::string> SortedLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line.substr(0, line.find('\r')));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The lines only `a` holds; with the file before and after a save, what the save removed.
std::vector<std::string> Only(const std::string& a, const std::string& b)
{
    const std::vector<std::string> x = SortedLines(a);
    const std::vector<std::string> y = SortedLines(b);
    std::vector<std::string> out;
    std::set_difference(x.begin(), x.end(), y.begin(), y.end(), std::back_inserter(out));
    return out;
}

PixelRect Shifted(PixelRect r, int dl, int dt, int dr, int db)
{
    return {r.left + dl, r.top + dt, r.right + dr, r.bottom + db};
}

} // namespace

TEST(LayoutEdit, HitsAndDragsFollowThePointer)
{
    const struct {
        PixelPoint press, to;
        int step;
        LayoutEdit::Hit hit;
        std::array<int, 4> change; // of the area's rectangle; of cx, cy for the window
    } rows[] = {
        {{20, 20}, {27, 19}, 1, {Part::Body, LayoutArea::Stick}, {7, -1, 7, -1}},
        {{20, 20}, {27, 17}, LayoutEdit::kShiftStep, {Part::Body, LayoutArea::Stick}, {5, -5, 5, -5}},
        {{20, 20}, {520, 20}, 1, {Part::Body, LayoutArea::Stick}, {187, 0, 187, 0}}, // corner stops at x 277
        {{90, 79}, {93, 73}, 1, {Part::Handle, LayoutArea::Stick}, {0, 0, -6, -6}},  // the larger movement
        {{110, 10}, {111, 10}, 1, {Part::Body, kPower}, {1, 0, 1, 0}},               // a bar over the dial
        {{114, 78}, {94, 78}, 1, {Part::Handle, kPower}, {0, 0, -8, 0}},             // never under a pixel
        {{140, 30}, {140, 31}, 1, {Part::Body, LayoutArea::Flaps}, {0, 1, 0, 1}},
        {{177, 58}, {181, 59}, 1, {Part::Handle, LayoutArea::Flaps}, {-4, -4, 4, 4}}, // about the centre
        {{272, 76}, {270, 75}, 1, {Part::Handle, kRudder}, {0, 0, -2, -1}},
        {{274, 78}, {284, 80}, 1, {Part::WindowHandle}, {10, 2}}, // over the rudder's handle
        {{277, 81}, {0, 0}, 1, {Part::WindowHandle}, {-258, -62}},
        {{100, 81}, {110, 81}, 1, {Part::None}, {}},
    };
    for (const auto& row : rows) {
        LayoutModel model;
        model.Load(kShipped);
        const LayoutState before = model.State();
        LayoutEdit edit(model);
        EXPECT_EQ(edit.HitTest(row.press), row.hit) << row.press.x << "," << row.press.y;
        EXPECT_EQ(edit.Press(row.press), row.hit.part != Part::None);
        edit.Drag(row.to, row.step);
        edit.Release();
        EXPECT_FALSE(edit.Drag({0, 0}));
        LayoutState expected = before;
        const auto [a, b, c, d] = row.change;
        if (row.hit.part == Part::WindowHandle) {
            expected.window = {before.window.cx + a, before.window.cy + b};
        } else if (row.hit.part != Part::None) {
            PixelRect& r = expected.areas[static_cast<std::size_t>(row.hit.area)].rect;
            r = Shifted(r, a, b, c, d);
        }
        EXPECT_EQ(model.State(), expected) << row.press.x << "," << row.press.y;
    }
}

TEST(LayoutEdit, ContextMenuOffersWhatTheAreaHas)
{
    LayoutModel model;
    model.Load(kShipped);
    LayoutEdit edit(model);
    const PixelPoint etrim{248, 30};
    const auto commands = [&](PixelPoint p) {
        std::vector<std::pair<Command, bool>> out;
        for (const LayoutEdit::Action& a : edit.ActionsAt(p)) {
            out.emplace_back(a.command, a.checked);
        }
        return out;
    };
    using V = std::vector<std::pair<Command, bool>>;
    EXPECT_EQ(commands({20, 20}), (V{{Command::Hide, false}}));
    EXPECT_EQ(commands({100, 81}), V{});
    EXPECT_EQ(commands(etrim), (V{{Command::Hide, false},
                                  {Command::Up, true},
                                  {Command::Down, false},
                                  {Command::Left, false},
                                  {Command::Right, false},
                                  {Command::Full, false},
                                  {Command::Dual, true}}));
    for (const Command c : {Command::Hide, Command::Left, Command::Full}) {
        edit.Apply({kETrim, c, false});
    }
    EXPECT_EQ(commands(etrim), (V{{Command::Show, false},
                                  {Command::Up, false},
                                  {Command::Down, false},
                                  {Command::Left, true},
                                  {Command::Right, false},
                                  {Command::Full, true},
                                  {Command::Dual, false}}));
}

TEST(LayoutEdit, SaveWritesOnlyTheChangedKeys)
{
    using Edit = std::function<void(LayoutModel&)>;
    const struct {
        const char* name;
        Edit edit;
        std::vector<std::string> removed, added;
    } rows[] = {
        {"nothing", [](LayoutModel&) {}, {}, {}},
        {"stick moved and grown",
         [](LayoutModel& m) {
             m.SetRect(LayoutArea::Stick, {10, 4, 90, 84});
         },
         {"size=78", "top=13,2"},
         {"size=80", "top=10,4"}},
        {"dial moved, radius kept",
         [](LayoutModel& m) {
             m.SetRect(LayoutArea::Flaps, {90, -10, 170, 70});
         },
         {"start=138,19"},
         {"start=130,30"}},
        {"dial radius",
         [](LayoutModel& m) {
             m.SetRect(LayoutArea::Flaps, {96, -23, 180, 61});
         },
         {"len=40"},
         {"len=42"}},
        {"bar hidden, turned, full",
         [](LayoutModel& m) {
             m.SetShown(kETrim, false);
             m.SetDirection(kETrim, BarDirection::Left);
             m.SetStyle(kETrim, BarStyle::Full);
         },
         {"dir=up", "type=dual"},
         {"dir=left", "show=0", "type=full"}},
        {"speed hidden, window grown",
         [](LayoutModel& m) {
             m.SetShown(LayoutArea::Speed, false);
             m.SetWindowSize(300, 82);
         },
         {"cx=278"},
         {"cx=300", "show=0"}},
        {"changed and changed back",
         [](LayoutModel& m) {
             m.SetWindowSize(300, 90);
             m.SetWindowSize(278, 82);
         },
         {},
         {}},
    };
    const std::string shipped = test::TempDir::Read(kShipped);
    for (const auto& row : rows) {
        const test::TempDir dir;
        const std::string path = dir.Write("Vanemark.cfg", shipped);
        LayoutModel model;
        model.Load(path);
        row.edit(model);
        const LayoutState edited = model.State();
        LayoutModel cancelled = model;
        cancelled.Cancel();
        LayoutModel fresh;
        fresh.Load(path);
        EXPECT_EQ(cancelled.State(), fresh.State()) << row.name;

        ASSERT_EQ(model.Save(), 0) << row.name;
        EXPECT_FALSE(model.Changed());
        const std::string saved = test::TempDir::Read(path);
        EXPECT_EQ(Only(shipped, saved), row.removed) << row.name;
        EXPECT_EQ(Only(saved, shipped), row.added) << row.name;
        fresh.Load(path);
        EXPECT_EQ(fresh.State(), edited) << row.name << ": reads back as saved";

        // A per-aircraft copy of the original with the same changes.
        const std::string aircraft = (dir.path / "layouts" / "Bf_109.cfg").string();
        std::string error;
        ASSERT_EQ(dir.Write("Vanemark.cfg", shipped), path);
        cancelled.Load(path);
        row.edit(cancelled);
        ASSERT_EQ(cancelled.SaveAs(aircraft, &error), 0) << error;
        EXPECT_EQ(test::TempDir::Read(aircraft), saved) << row.name;
        EXPECT_EQ(test::TempDir::Read(path), shipped) << row.name;
        EXPECT_EQ(cancelled.File(), aircraft);
        EXPECT_EQ(cancelled.SaveAs(aircraft, &error), -1) << "an existing file is never replaced";
        EXPECT_FALSE(error.empty());
    }
}

// The outlines, handles and the window's handle over a black panel, one area hidden.
TEST(LayoutEdit, OverlayDrawsItsPicture)
{
    LayoutModel model;
    model.Load(kShipped);
    model.SetShown(kETrim, false);
    QImage shown(model.WindowSize().cx, model.WindowSize().cy, QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter painter(&shown);
    DrawLayoutEditOverlay(painter, model, 0x00FFFF);
    painter.end();
    const QString golden = QStringLiteral(VANEMARK_SOURCE_DIR "/tests/panel/golden/edit-overlay.png");
    if (qEnvironmentVariableIntValue("VANEMARK_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(shown.save(golden));
    }
    EXPECT_EQ(shown, QImage(golden).convertToFormat(QImage::Format_RGB32));
}
