#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/CVanemarkApp.h"
#include "app/CVanemarkDlg.h"
#include "app/TrayIcon.h"
#include "panel/CPanelCtrl.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
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

TEST(WindowStartup, DefaultsTheCommandLineFileAndTheStaleLog)
{
    WorkFolder folder;
    {
        const auto window = StartWindow(folder, "");
        EXPECT_EQ(std::tuple(window->Interval(), window->DemoMode(), window->PanelFontName(), window->PanelFontSize(),
                             window->ShowTitle(), window->Panel().ShowTitle()),
                  std::tuple(500, false, "Courier New", 8, false, false));
        EXPECT_EQ(window->geometry(), QRect(ScreenGeometry().topLeft(), QSize(140, 140)));
        // Start-up reads, never writes.
        EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.ini")));
    }

    // Whole ticks of 25 ms, cut down, never rounded up, between 25 and 10000.
    for (const auto& [stored, runs] : {std::pair{"10", 25}, {"520", 500}, {"20000", 10000}, {"-30", 25}}) {
        EXPECT_EQ(StartWindow(folder, std::string("interval=") + stored + "\n" + kNowhere)->Interval(), runs);
    }
    // The file on the command line only chooses the layout; an unreadable one falls back to Vanemark.ini.
    folder.Write("other.ini", "[settings]\npilot cfg=wide.cfg\ninterval=75\n");
    folder.Write("wide.cfg", "[window]\ncx=210\ncy=90\n");
    folder.Write("Vanemark.log", "old diagnostics\n");
    LaunchOptions options;
    options.settingsFile = "other.ini";
    const auto window = StartWindow(folder, "interval=250\n" + kNowhere, false, options);
    EXPECT_EQ(std::tuple(window->size(), window->Interval(), window->SettingsPath()),
              std::tuple(QSize(210, 90), 250, "Vanemark.ini"));
    EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.log")));
    std::string used;
    EXPECT_EQ(CVanemarkDlg::PreWindowSize("missing.ini", &used), QSize(140, 140));
    EXPECT_EQ(used, "Vanemark.ini");
}

TEST(WindowPlacement, StoredPositionIsPulledBackAtRightAndBottomOnly)
{
    WorkFolder folder;
    const QRect screen = ScreenGeometry();
    for (const auto& [position, expected] : {std::pair{"20 0 5000 0", QRect(screen.right() + 1 - 140, 20, 140, 140)},
                                             {"-15 0 -40 0", QRect(-40, -15, 140, 140)},
                                             {"9999 0 10 0", QRect(10, screen.bottom() + 1 - 140, 140, 140)},
                                             // left on a monitor that is gone: back on the nearest screen
                                             {"-3000 -2918 -5000 -4722", QRect(screen.topLeft(), QSize(140, 140))}}) {
        const auto window = StartWindow(folder, std::string("position=") + position + "\n" + kNowhere);
        EXPECT_EQ(window->geometry(), expected) << position;
        EXPECT_EQ(window->minimumSize(), window->maximumSize()); // the user cannot resize it
    }
}

// What the pages stored comes back at the next start, held to its ranges,
// and a change applies at once.
TEST(WindowStartup, OverlayAndFontKeysAreReadBack)
{
    WorkFolder folder;
    const auto window =
        StartWindow(folder, "scale=9\nopacity=5\nspeed unit=KTS\nfont name=Liberation Sans\nfont size=11\n"
                            "show title=1\nposition=10 0 20 0\n" +
                                kNowhere);
    EXPECT_EQ(std::tuple(window->geometry(), window->windowOpacity(), window->Panel().SpeedUnit(),
                         window->PanelFontName(), window->PanelFontSize(), window->Panel().ShowTitle()),
              std::tuple(QRect(20, 10, 560, 560), 0.2, settings::SpeedUnit::Kts, "Liberation Sans", 11, true));
    window->SetOverlay({2, 100, settings::SpeedUnit::Mph, false});
    EXPECT_EQ(std::tuple(window->geometry(), window->windowOpacity(), window->Panel().SpeedUnit()),
              std::tuple(QRect(20, 10, 280, 280), 1.0, settings::SpeedUnit::Mph));
    // The size the panel draws with: below 1 the default, above 500 held there.
    for (const auto& [stored, points] : {std::pair{"0\n", 8}, {"-3\n", 8}, {"501\n", 500}}) {
        EXPECT_EQ(StartWindow(folder, "font size=" + std::string(stored) + kNowhere)->Panel().FontSize(), points);
    }
}

// On a desktop with a tray: locked, the window lets clicks through and the
// tray icon takes over its menu; "hide idle" keeps a live window hidden
// while nobody answers. --unlock and demo mode override the file.
TEST(WindowOverlay, LockTrayAndHidingWhileIdle)
{
    WorkFolder folder;
    const auto window = StartWindow<TrayDesktopWindow>(folder, "locked=1\nhide idle=1\n" + kNowhere);
    TrayIcon& tray = *window->Tray();
    const auto clickThrough = [&] { return window->windowFlags().testFlag(Qt::WindowTransparentForInput); };
    EXPECT_TRUE(window->Locked() && clickThrough() && tray.IsVisible());
    window->show();
    EXPECT_FALSE(window->isVisible()); // nobody answers
    window->SetOverlay({});
    EXPECT_TRUE(window->isVisible());
    Item(&tray.Menu(), "unlock")->trigger();
    EXPECT_FALSE(window->Locked() || clickThrough() || tray.IsVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(SettingsValue(folder, "locked"), "0");
    QTimer::singleShot(50, window.get(), [&window] {
        window->ContextMenu()->setActiveAction(Item(window->ContextMenu(), "lock"));
        QTest::keyClick(window->ContextMenu(), Qt::Key_Return);
    });
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Locked() && tray.IsVisible(); }, 3000));
    EXPECT_EQ(SettingsValue(folder, "locked"), "1");
    QSignalSpy finished(window.get(), &CVanemarkDlg::finished);
    Item(&tray.Menu(), "exit")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1 && !tray.IsVisible(); }, 3000));

    LaunchOptions unlock;
    unlock.unlock = true;
    const auto demo =
        StartWindow<TrayDesktopWindow>(folder, "locked=1\nhide idle=1\ndemo=1\n" + kNowhere, true, unlock);
    EXPECT_FALSE(demo->Locked() || demo->Tray()->IsVisible());
    // Without a tray nothing could unlock the window: the item is off and says why.
    const auto plain = StartWindow(folder, "locked=1\n" + kNowhere, true);
    EXPECT_FALSE(plain->Locked() || plain->Tray());
    QTimer::singleShot(50, plain.get(), [&plain] {
        const QAction* lock = Item(plain->ContextMenu(), "lock");
        EXPECT_FALSE(lock->isEnabled() || lock->statusTip().isEmpty());
        plain->ContextMenu()->close();
    });
    QTest::mouseClick(plain.get(), Qt::RightButton, {}, QPoint(20, 20));
    demo->RunExitSequence();
    plain->RunExitSequence();
}

TEST(WindowBehaviour, DragSnapsToTheScreenEdges)
{
    WorkFolder folder;
    const auto window = StartWindow(folder, "position=200 0 200 0\n" + kNowhere, true);
    const QRect screen = ScreenGeometry();
    const int width = window->width(), height = window->height();
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, window->pos() + QPoint(30, 20));
    // Cursor position -> window top-left: 9 px from an edge snaps, 10 px does not.
    for (const auto& [cursor, topLeft] : {
             std::pair{QPoint(330, 320), QPoint(300, 300)},
             {QPoint(screen.left() + 9 + 30, 320), QPoint(screen.left(), 300)},
             {QPoint(screen.left() + 10 + 30, 320), QPoint(screen.left() + 10, 300)},
             {QPoint(330, screen.top() + 9 + 20), QPoint(300, screen.top())},
             {QPoint(330, screen.top() + 10 + 20), QPoint(300, screen.top() + 10)},
             {QPoint(screen.right() + 1 - 9 - width + 30, 320), QPoint(screen.right() + 1 - width, 300)},
             {QPoint(screen.right() + 1 - 10 - width + 30, 320), QPoint(screen.right() + 1 - 10 - width, 300)},
             {QPoint(330, screen.bottom() + 1 - 5 - height + 20), QPoint(300, screen.bottom() + 1 - height)},
         }) {
        SendMouse(*window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cursor);
        EXPECT_EQ(window->geometry(), QRect(topLeft, QSize(width, height))) << cursor.x() << "," << cursor.y();
    }
    SendMouse(*window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, window->pos());
    // Without a pressed button the window stays put.
    const QRect before = window->geometry();
    SendMouse(*window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(400, 400));
    EXPECT_EQ(window->geometry(), before);
    window->RunExitSequence();
}

TEST(WindowBehaviour, EnterAndTheCloseBoxEndOnceEscapeAndAHiddenBoxDoNot)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    {
        const auto window = StartWindow(folder, "position=100 0 40 0\n" + kNowhere, true);
        QSignalSpy finished(window.get(), &CVanemarkDlg::finished);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible() && !window->ExitDone() && window->Link().Client().IsStarted());
        QTest::keyClick(window.get(), Qt::Key_Return);
        EXPECT_TRUE(window->ExitDone() && !window->isVisible() && !window->Link().Client().IsStarted());
        EXPECT_EQ(SettingsValue(folder, "position"), "100 182 40 318");
        // A second request to end does nothing more.
        folder.Write("Vanemark.ini", "[settings]\nposition=1 2 3 4\n");
        window->RunExitSequence();
        window->close();
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(SettingsValue(folder, "position"), "1 2 3 4");
    }

    // At scale 2 the box is hit where it shows, in screen pixels.
    const auto window = StartWindow(folder, "position=50 0 60 0\nscale=2\n" + kNowhere, true);
    const QPoint closeBox = window->geometry().topRight() + QPoint(-11, 16);
    // Hidden title strip: the corner is just a drag handle.
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    SendMouse(*window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, closeBox);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->ExitDone());
    window->SetShowTitle(true);
    SendMouse(*window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->ExitDone(); }, 2000));
    EXPECT_EQ(SettingsValue(folder, "position"), "50 214 60 616");
}

TEST(WindowCycle, DemoMotionAndRedrawsOnlyWhenSomethingChanged)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    constexpr int kInterval = 50;
    for (const bool demo : {false, true}) {
        int paints = 0;
        std::vector<PanelValues> seen; // the panel as each finished cycle left it
        const auto window = StartWindow(folder, "interval=" + std::to_string(kInterval) + "\n" +
                                                    std::string(demo ? "demo=1\n" : "") + kNowhere);
        OnEvent(*window->findChild<CPanelCtrl*>(), QEvent::Paint, [&paints] { ++paints; });
        OnEvent(window->Link(), CycleEvent::EventType(), [&] { seen.push_back(window->Panel().Values()); });
        window->show();
        if (!demo) {
            // Nobody answers: no cycle runs, and nothing shows but absence.
            QTest::qWait(10 * kInterval);
            EXPECT_TRUE(seen.empty());
            EXPECT_LE(paints, 4);
            EXPECT_TRUE(std::isnan(window->Panel().Values().flaps));
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 10; }, 200 * kInterval));
            EXPECT_GE(paints, 8);
            // The first cycle is seen by the second event: phase 0, then cos 0.1.
            const PanelValues& first = seen[1];
            EXPECT_EQ(std::tuple(first.stickX, first.stickY, first.bank, first.pitch, first.flaps, first.speed),
                      std::tuple(1.0, 0.0, 180.0, 90.0, 1.0, 0.0));
            const double c = std::cos(0.1);
            const PanelValues& second = seen[2];
            EXPECT_EQ(std::tuple(second.stickX, second.stickY, second.bank, second.pitch, second.flaps),
                      std::tuple(c, 1.0 - c, 180.0 * c, 90.0 * c, c));
            for (std::size_t bar = 0; bar < BarCount; ++bar) {
                EXPECT_DOUBLE_EQ(second.bars[bar], bar == BrakesBar ? 0.0 : c) << bar; // the brakes stay
            }
            // The speed read-out shows the cycle's own period.
            EXPECT_GE(second.speed, kInterval * 0.5);
            EXPECT_LE(second.speed, kInterval * 20.0);
            const Frame& frame = window->LastFrame();
            EXPECT_TRUE(frame.SourceOf(Shown::Pitch) == FrameSource::Demo &&
                        frame.SourceOf(Shown::Brakes) == FrameSource::None);
        }
        window->RunExitSequence();
    }
}

TEST(AppRun, SnapshotWritesThePanelAndLeavesTheSettingsAlone)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    folder.Write("Vanemark.ini", "[settings]\ninterval=50\nposition=7 0 8 0\n" + kNowhere);
    const std::string before = folder.Read("Vanemark.ini");

    LaunchOptions options;
    options.forceDemo = true;
    options.snapshotPath = folder.Path("panel.png").toStdString();
    options.snapshotCycles = 4;
    CVanemarkApp app;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(app.Run(options), 0);
    EXPECT_LT(clock.elapsed(), 10000);

    QImage image(folder.Path("panel.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(278, 82)); // [window] of the shipped layout
    EXPECT_EQ(folder.Read("Vanemark.ini"), before);
    // The demo motion is on the picture, not just the background.
    QImage background(image.size(), image.format());
    background.fill(image.pixel(0, 0));
    EXPECT_NE(image, background);

    // An unwritable target is an error, not a silent success.
    options.snapshotPath = folder.Path("no-such-folder/panel.png").toStdString();
    options.snapshotCycles = 1;
    EXPECT_EQ(app.Run(options), 1);
#if !defined(_WIN32)
    // So is a recording whose last write the disk refuses.
    options.snapshotPath = folder.Path("panel.png").toStdString();
    options.recordPath = "/dev/full";
    EXPECT_EQ(app.Run(options), 1);
#endif
}

TEST(AppRun, TerminationSignalRunsTheExitSequence)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Windows has no termination signal to raise, and a console control event reaches every process "
                    "on the console, the test runner too";
#else
    WorkFolder folder;
    folder.Write("Vanemark.ini", "[settings]\nposition=33 0 44 0\n" + kNowhere);
    CVanemarkApp::Hooks hooks;
    bool started = false;
    hooks.windowStarted = [&](CVanemarkDlg&) {
        started = true;
        QTimer::singleShot(100, [] { std::raise(SIGTERM); });
    };
    EXPECT_EQ(CVanemarkApp(hooks).Run({}), 0);
    EXPECT_TRUE(started);
    EXPECT_EQ(SettingsValue(folder, "position"), "33 173 44 184");
    // The previous disposition is back.
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
#endif
}

TEST(AppRun, SocketsFailureEndsBeforeAnyWindow)
{
    WorkFolder folder;
    CVanemarkApp::Hooks hooks;
    QString shown;
    bool windowMade = false;
    hooks.initialiseSockets = [] { return false; };
    hooks.showError = [&](const QString& text) { shown = text; };
    hooks.windowStarted = [&](CVanemarkDlg&) { windowMade = true; };
    EXPECT_NE(CVanemarkApp(hooks).Run({}), 0);
    EXPECT_EQ(shown, QLatin1String("Windows sockets initialization failed."));
    EXPECT_FALSE(windowMade);
}
