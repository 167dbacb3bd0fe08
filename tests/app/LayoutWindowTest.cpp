#include "AppTestSupport.h"

#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <sstream>

using namespace vanemark;
using namespace vanemark::test;

namespace {

// Picks the item `name` from the menu a right click at `at` (1x pixels, scale 2) opens.
void Choose(CVanemarkDlg& window, const char* name, PixelPoint at = {1, 1})
{
    QTimer::singleShot(50, &window, [&window, name] {
        window.ContextMenu()->setActiveAction(Item(window.ContextMenu(), name));
        QTest::keyClick(window.ContextMenu(), Qt::Key_Return);
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(2 * at.x, 2 * at.y));
}

void Drag(CVanemarkDlg& window, PixelPoint from, PixelPoint by, Qt::KeyboardModifiers keys = {})
{
    const QPoint start(2 * from.x, 2 * from.y);
    QTest::mousePress(&window, Qt::LeftButton, keys, start);
    // QTest moves the mouse without modifiers; Shift has to be held in the move itself.
    QMouseEvent move(QEvent::MouseMove, start + QPoint(2 * by.x, 2 * by.y), window.mapToGlobal(start), Qt::NoButton,
                     Qt::LeftButton, keys);
    QApplication::sendEvent(&window, &move);
    QTest::mouseRelease(&window, Qt::LeftButton, keys, start + QPoint(2 * by.x, 2 * by.y));
}

// Lines of `a` that `b` lacks, line ends aside.
std::vector<std::string> LinesOnlyIn(const std::string& a, const std::string& b)
{
    const auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            out.push_back(line.substr(0, line.find('\r')));
        }
        std::ranges::sort(out);
        return out;
    };
    const auto la = lines(a), lb = lines(b);
    std::vector<std::string> only;
    std::set_difference(la.begin(), la.end(), lb.begin(), lb.end(), std::back_inserter(only));
    return only;
}

} // namespace

// The aircraft's own layout while the simulator names it, another when the
// aircraft changes, the pilot's again once the link is gone: at the scale,
// with the top-left corner kept.
TEST(LayoutWindow, FollowsTheAircraftAndFallsBackOnLoss)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    std::filesystem::create_directory(folder.File("layouts"));
    folder.Write("layouts/Fighter_Mk.V_2b.cfg", "[window]\ncx=150\ncy=60\n[stick]\ntop=4,6\nsize=30\n");
    DeviceLinkSim sim({.port = 0});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    sim.SetValue(22, "Fighter Mk.V/2b");
    const auto window = StartWindow(folder, "server=" + std::to_string(sim.Port()) +
                                                " 127.0.0.1\ninterval=50\nscale=2\nposition=40 0 30 0\n");
    const auto shown = [&] { return std::tuple(window->geometry(), window->Panel().Layout().stickSquare); };
    const auto pilot = shown();
    const std::string pilotFile = window->LayoutInUse();
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->LayoutInUse() != pilotFile; }));
    const auto fighter = std::tuple(QRect(std::get<0>(pilot).topLeft(), QSize(300, 120)), PixelRect{4, 6, 34, 36});
    EXPECT_EQ(shown(), fighter);
    // The pilot takes another aircraft, which the server never announces:
    // the window asks again and follows, and back.
    sim.SetValue(22, "Trainer Mk.II");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->LayoutInUse() == pilotFile; }, 5000));
    EXPECT_EQ(shown(), pilot);
    sim.SetValue(22, "Fighter Mk.V/2b");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->LayoutInUse() != pilotFile; }, 5000));
    EXPECT_EQ(shown(), fighter);
    sim.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == QLatin1String("Vanemark v2.0.0"); }));
    EXPECT_EQ(std::tuple(shown(), window->LayoutInUse()), std::tuple(pilot, pilotFile));
    window->RunExitSequence();
}

// Edit mode with the mouse at scale 2: move, resize in Shift steps, hide and
// save touch only their own lines; the window's corner and a move are undone
// by Cancel, which leaves the file as it was.
TEST(LayoutWindow, EditModeSavesOnlyTheChangesAndCancelsTheRest)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    const std::string shipped = folder.Read("Vanemark.cfg");
    const auto window = StartWindow(folder, kNowhere + "scale=2\n", true);
    const CPanelCtrl& panel = window->Panel();
    const PanelLayout before = panel.Layout();
    const PixelRect power = panel.Bar(PowerBar).Settings().rect;
    Choose(*window, "editLayout");
    ASSERT_TRUE(window->Editing());

    const PixelRect& b = before.stickSquare;
    const PixelRect& speed = before.speedBox;
    Drag(*window, {b.left + 20, b.top + 20}, {-3, 2});
    Drag(*window, {speed.right - 1, speed.bottom - 1}, {7, -1}, Qt::ShiftModifier);
    Choose(*window, "hide", {power.left + 1, power.top + 30});
    const PixelRect stick{b.left - 3, b.top + 2, b.right - 3, b.bottom + 2};
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(panel.Layout().stickSquare, panel.Layout().speedBox, panel.Bar(PowerBar).Settings().show,
                         window->ExitDone()),
              std::tuple(stick, PixelRect{speed.left, speed.top, speed.right + 5, speed.bottom}, 0, false));

    Choose(*window, "saveLayout");
    const std::string saved = folder.Read("Vanemark.cfg");
    const auto pair = [](int a, int b) { return std::to_string(a) + "," + std::to_string(b); };
    EXPECT_EQ(LinesOnlyIn(saved, shipped),
              (std::vector<std::string>{"show=0", "size=" + pair(speed.Width() + 5, speed.Height()),
                                        "top=" + pair(stick.left, stick.top)}));
    EXPECT_EQ(LinesOnlyIn(shipped, saved).size(), 2u);

    const QSize size = window->size();
    Drag(*window, {size.width() / 2 - 1, size.height() / 2 - 1}, {10, 4});
    Drag(*window, {stick.left + 20, stick.top + 20}, {5, 5});
    EXPECT_EQ(window->size(), size + QSize(20, 8));
    Choose(*window, "cancelLayout");
    EXPECT_EQ(std::tuple(window->size(), panel.Layout().stickSquare), std::tuple(size, stick));
    EXPECT_EQ(folder.Read("Vanemark.cfg"), saved);
    Choose(*window, "editLayout");
    EXPECT_FALSE(window->Editing() || panel.EditOverlay());
    window->RunExitSequence();
}
