// Edit mode on the shipped layout: what the mouse grabs and drags, the context menu, what saves leave on disk.
#include "panel/LayoutEdit.h"
#include "panel/LayoutEditOverlay.h"

#include "../support/TempDir.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace vanemark;
using Part = LayoutEdit::Part;
using Command = LayoutEdit::Command;

namespace {

const std::string kShipped = VANEMARK_SOURCE_DIR "/res/Vanemark.cfg";
constexpr LayoutArea kETrim = BarArea(ETrimBar);

// The lines only `a` holds, counted as a multiset; with the file before and after a save, what the save removed.
std::vector<std::string> Only(const std::string& a, const std::string& b)
{
    std::array<std::vector<std::string>, 2> lines;
    for (std::size_t i = 0; i < 2; ++i) {
        std::istringstream in(i == 0 ? a : b);
        for (std::string line; std::getline(in, line);) {
            lines[i].push_back(line.substr(0, line.find('\r')));
        }
        std::sort(lines[i].begin(), lines[i].end());
    }
    std::vector<std::string> out;
    std::set_difference(lines[0].begin(), lines[0].end(), lines[1].begin(), lines[1].end(), std::back_inserter(out));
    return out;
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
        {{110, 10}, {111, 10}, 1, {Part::Body, BarArea(PowerBar)}, {1, 0, 1, 0}},    // a bar over the dial
        {{114, 78}, {94, 78}, 1, {Part::Handle, BarArea(PowerBar)}, {0, 0, -8, 0}},  // never under a pixel
        {{140, 30}, {140, 31}, 1, {Part::Body, LayoutArea::Flaps}, {0, 1, 0, 1}},
        {{177, 58}, {181, 59}, 1, {Part::Handle, LayoutArea::Flaps}, {-4, -4, 4, 4}}, // about the centre
        {{272, 76}, {270, 75}, 1, {Part::Handle, BarArea(RudderBar)}, {0, 0, -2, -1}},
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
            r = {r.left + a, r.top + b, r.right + c, r.bottom + d};
        }
        EXPECT_EQ(model.State(), expected) << row.press.x << "," << row.press.y;
        model.Cancel();
        EXPECT_EQ(model.State(), before);
    }
}

TEST(LayoutEdit, ContextMenuOffersWhatTheAreaHas)
{
    LayoutModel model;
    model.Load(kShipped);
    LayoutEdit edit(model);
    // The menu's texts, '*' after the checked ones.
    const auto menu = [&edit](PixelPoint p) {
        std::string out;
        for (const LayoutEdit::Action& a : edit.ActionsAt(p)) {
            out.append(LayoutEdit::Text(a.command).toStdString()).append(a.checked ? "* " : " ");
        }
        return out;
    };
    const PixelPoint etrim{248, 30};
    EXPECT_EQ(menu({20, 20}), "Hide ");
    EXPECT_EQ(menu({100, 81}), "");
    EXPECT_EQ(menu(etrim), "Hide Up* Down Left Right Full Dual* ");
    for (const Command c : {Command::Hide, Command::Left, Command::Full}) {
        edit.Apply({kETrim, c, false});
    }
    EXPECT_EQ(menu(etrim), "Show Up Down Left* Right Full* Dual ");
}

TEST(LayoutEdit, SaveWritesOnlyTheChangedKeys)
{
    using enum LayoutEdit::Command;
    const struct {
        const char* name;
        LayoutArea area;
        PixelRect rect; // empty: kept
        std::vector<Command> commands;
        int cx; // 0: kept
        std::vector<std::string> removed, added;
    } rows[] = {
        {"stick", LayoutArea::Stick, {10, 4, 90, 84}, {}, 0, {"size=78", "top=13,2"}, {"size=80", "top=10,4"}},
        {"dial moved", LayoutArea::Flaps, {90, -10, 170, 70}, {}, 0, {"start=138,19"}, {"start=130,30"}},
        {"dial radius", LayoutArea::Flaps, {96, -23, 180, 61}, {}, 0, {"len=40"}, {"len=42"}},
        {"bar", kETrim, {}, {Hide, Left, Full}, 0, {"dir=up", "type=dual"}, {"dir=left", "show=0", "type=full"}},
        {"speed hidden, window", LayoutArea::Speed, {}, {Hide}, 300, {"cx=278"}, {"cx=300", "show=0"}},
        {"hidden and shown", LayoutArea::Speed, {}, {Hide, Show}, 0, {}, {}},
    };
    const std::string shipped = test::TempDir::Read(kShipped);
    for (const auto& row : rows) {
        const test::TempDir dir;
        const std::string path = dir.Write("Vanemark.cfg", shipped);
        LayoutModel model;
        model.Load(path);
        if (!row.rect.IsEmpty()) {
            model.SetRect(row.area, row.rect);
        }
        for (const Command c : row.commands) {
            LayoutEdit(model).Apply({row.area, c, false});
        }
        if (row.cx != 0) {
            model.SetWindowSize(row.cx, model.WindowSize().cy);
        }
        // The per-aircraft file: the file in use, which stays as it was, with the changes.
        LayoutModel copy = model;
        std::string error;
        const std::string aircraft = (dir.path / "layouts" / "Bf_109.cfg").string();
        ASSERT_EQ(copy.SaveAs(aircraft, &error), 0) << error;
        EXPECT_EQ(copy.File(), aircraft);
        EXPECT_EQ(test::TempDir::Read(path), shipped) << row.name;
        EXPECT_EQ(copy.SaveAs(aircraft, &error), -1) << "an existing file is never replaced";

        ASSERT_EQ(model.Save(), 0) << row.name;
        EXPECT_FALSE(model.Changed());
        const std::string saved = test::TempDir::Read(path);
        EXPECT_EQ(Only(shipped, saved), row.removed) << row.name;
        EXPECT_EQ(Only(saved, shipped), row.added) << row.name;
        EXPECT_EQ(test::TempDir::Read(aircraft), saved) << row.name;
        copy.Load(path);
        EXPECT_EQ(copy.State(), model.State()) << row.name << ": reads back as saved";
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
