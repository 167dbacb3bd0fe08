#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

using namespace vanemark;
using namespace vanemark::test;

namespace {

QRect ScreenGeometry()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// Sends one mouse event at a screen position, as the window system would.
void SendMouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint global)
{
    QMouseEvent event(type, QPointF(global - w.geometry().topLeft()), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

} // namespace

TEST(WindowStartup, SettingsAreNormalisedAndTheStaleLogGoes)
{
    WorkFolder folder;
    for (const auto& [interval, expected] : {std::pair{"10", 25}, {"510", 500}, {"20000", 10000}, {"-30", 25}})
        EXPECT_EQ(StartWindow(folder, std::string("interval=") + interval + "\n" + kNowhere)->Interval(), expected)
            << interval;
    for (const auto& [server, port, host] :
         {std::tuple{"21101", 21101, "127.0.0.1"}, {"21102,127.0.0.2", 21102, "127.0.0.2"}, {"abc", 0, "127.0.0.1"}}) {
        const auto window = StartWindow(folder, std::string("server=") + server + "\n");
        EXPECT_EQ(std::tuple(window->ServerPort(), window->ServerHost()), std::tuple(port, host)) << server;
    }

    folder.Write("Vanemark.log", "old diagnostics\n");
    const auto window = StartWindow(folder, kNowhere);
    EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.log")));
    EXPECT_EQ(std::tuple(window->DemoMode(), window->PanelFontName(), window->PanelFontSize(), window->ShowTitle(),
                         window->Panel().showTitle),
              std::tuple(false, "Courier New", 8, false, 0));
}

TEST(WindowStartup, DefaultsAndTheCommandLineFile)
{
    WorkFolder folder;
    {
        const auto window = StartWindow(folder, "");
        EXPECT_EQ(std::tuple(window->Interval(), window->ServerPort(), window->ServerHost()),
                  std::tuple(500, 21100, "127.0.0.1"));
        EXPECT_EQ(window->size(), QSize(140, 140));
        EXPECT_EQ(window->geometry().topLeft(), ScreenGeometry().topLeft());
        // Start-up reads, never writes.
        EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.ini")));
    }

    // The file on the command line only chooses the layout.
    folder.Write("other.ini", "[settings]\npilot cfg=wide.cfg\ninterval=75\n");
    folder.Write("wide.cfg", "[window]\ncx=210\ncy=90\n");
    LaunchOptions options;
    options.settingsFile = "other.ini";
    const auto window = StartWindow(folder, "interval=250\n" + kNowhere, false, options);
    EXPECT_EQ(window->size(), QSize(210, 90));
    EXPECT_EQ(window->Interval(), 250);
    EXPECT_EQ(window->SettingsPath(), "Vanemark.ini");
    // A file that cannot be read falls back to Vanemark.ini for the layout too.
    std::string used;
    EXPECT_EQ(CVanemarkDlg::PreWindowSize("missing.ini", &used), QSize(140, 140));
    EXPECT_EQ(used, "Vanemark.ini");
}

TEST(WindowPlacement, StoredPositionIsPulledBackAtRightAndBottomOnly)
{
    WorkFolder folder;
    const QRect screen = ScreenGeometry();
    EXPECT_EQ(StartWindow(folder, "position=20 0 5000 0\n" + kNowhere)->geometry(),
              QRect(screen.right() + 1 - 140, 20, 140, 140));
    EXPECT_EQ(StartWindow(folder, "position=-15 0 -40 0\n" + kNowhere)->geometry().topLeft(), QPoint(-40, -15));
    {
        const auto window = StartWindow(folder, "position=9999 0 10 0\n" + kNowhere);
        EXPECT_EQ(window->geometry().bottom(), screen.bottom());
        EXPECT_EQ(window->geometry().left(), 10);
        EXPECT_EQ(window->minimumSize(), window->maximumSize()); // the user cannot resize it
    }
    // A layout too small for the panel font still gives a usable window.
    folder.Write("tiny.cfg", "[window]\ncx=2\ncy=1\n");
    const auto window = StartWindow(folder, "pilot cfg=tiny.cfg\n" + kNowhere);
    ASSERT_GT(window->Panel().MinimumWidth(), 2);
    ASSERT_GT(window->Panel().LineHeight(), 1);
    EXPECT_EQ(window->size(), QSize(window->Panel().MinimumWidth(), window->Panel().LineHeight()));
}

TEST(WindowBehaviour, DragSnapsToTheScreenEdges)
{
    WorkFolder folder;
    const auto window = StartWindow(folder, "position=200 0 200 0\n" + kNowhere, true);
    const QRect screen = ScreenGeometry();
    auto dragTo = [&](QPoint cursor) {
        SendMouse(*window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cursor);
        QCoreApplication::processEvents();
        return window->geometry();
    };
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, window->pos() + QPoint(30, 20));
    EXPECT_EQ(dragTo(QPoint(330, 320)).topLeft(), QPoint(300, 300));
    // 9 px from an edge snaps, 10 px does not.
    EXPECT_EQ(dragTo(QPoint(screen.left() + 9 + 30, 320)).left(), screen.left());
    EXPECT_EQ(dragTo(QPoint(screen.left() + 10 + 30, 320)).left(), screen.left() + 10);
    EXPECT_EQ(dragTo(QPoint(330, screen.top() + 9 + 20)).top(), screen.top());
    EXPECT_EQ(dragTo(QPoint(330, screen.top() + 10 + 20)).top(), screen.top() + 10);
    const int width = window->width(), height = window->height();
    EXPECT_EQ(dragTo(QPoint(screen.right() + 1 - 9 - width + 30, 320)).right(), screen.right());
    EXPECT_EQ(dragTo(QPoint(screen.right() + 1 - 10 - width + 30, 320)).right(), screen.right() - 10);
    EXPECT_EQ(dragTo(QPoint(330, screen.bottom() + 1 - 5 - height + 20)).bottom(), screen.bottom());
    SendMouse(*window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, window->pos());
    // Without a pressed button the window stays put.
    const QRect before = window->geometry();
    EXPECT_EQ(dragTo(QPoint(400, 400)), before);
    window->RunExitSequence();
}

TEST(WindowBehaviour, EnterEndsEscapeDoesNot)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    const auto window = StartWindow(folder, "position=100 0 40 0\n" + kNowhere, true);
    QSignalSpy finished(window.get(), &CVanemarkDlg::finished);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->ExitDone());
    EXPECT_TRUE(window->Client().IsStarted());

    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_TRUE(window->ExitDone());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(SettingsValue(folder, "position"), "100 182 40 318");
}

TEST(WindowBehaviour, CloseBoxEndsOnlyWhenTheTitleIsShown)
{
    WorkFolder folder;
    const auto window = StartWindow(folder, "position=50 0 60 0\n" + kNowhere, true);
    const QPoint closeBox = window->geometry().topRight() + QPoint(-5, 5);
    // Hidden title strip: the corner is just a drag handle.
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    SendMouse(*window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, closeBox);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->ExitDone());

    window->SetShowTitle(true);
    EXPECT_EQ(window->Panel().showTitle, 1);
    ASSERT_EQ(window->Panel().HitTestClose(closeBox), CPanelCtrl::closeHitCode);
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->ExitDone(); }, 2000));
    EXPECT_EQ(SettingsValue(folder, "position"), "50 190 60 200");
}

TEST(WindowBehaviour, SetIntervalFontAndTheSettingsDialog)
{
    WorkFolder folder;
    const auto window = StartWindow(folder, kNowhere);
    window->show();
    // The running window rounds to whole ticks but keeps long intervals.
    window->SetInterval(30);
    EXPECT_EQ(window->Interval(), 25);
    window->SetInterval(20000);
    EXPECT_EQ(window->Interval(), 20000);
    window->SetPanelFont("Liberation Sans", 11);
    EXPECT_EQ(window->PanelFontName(), "Liberation Sans");
    EXPECT_EQ(window->Panel().FontSize(), 11);

    // "Settings" opens the modal settings dialog; the window stays alive meanwhile.
    bool sawDialog = false;
    QTimer::singleShot(10, [&] {
        QMenu* menu = window->ContextMenu();
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().constFirst());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    std::function<void()> closeDialog = [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            sawDialog = dialog->windowTitle().contains(QLatin1String("Vanemark Settings"));
            dialog->reject();
        } else {
            QTimer::singleShot(20, closeDialog);
        }
    };
    QTimer::singleShot(50, closeDialog);
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(window->ExitDone());
    window->RunExitSequence();
}

TEST(WindowBehaviour, OnlyCyclesThatChangeSomethingRedraw)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    // Nobody answers: after the first cycle every value stays as it is. The demo moves every cycle.
    for (const bool demo : {false, true}) {
        int paints = 0;
        const auto window = StartWindow(folder, "interval=25\n" + std::string(demo ? "demo=1\n" : "") + kNowhere);
        OnEvent(window->Panel(), QEvent::Paint, [&paints] { ++paints; });
        window->show();
        QTest::qWait(500);
        if (demo) {
            EXPECT_GE(paints, 8);
        } else {
            EXPECT_GE(paints, 1);
            EXPECT_LE(paints, 4);
            EXPECT_DOUBLE_EQ(window->Panel().flaps, 0.0); // the cycles did run
        }
        window->RunExitSequence();
    }
}
