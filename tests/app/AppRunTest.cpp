#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/CVanemarkApp.h"
#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <tuple>
#include <vector>

using namespace vanemark;
using namespace vanemark::test;

namespace {

struct PanelState {
    double stickX, stickY, bank, pitch, flaps, speed;
    std::vector<double> bars;
};

} // namespace

TEST(DemoMode, FirstTwoCyclesShowTheStartOfTheMotion)
{
    WorkFolder folder;
    constexpr int interval = 200;
    // A cycle event arriving means the previous cycle has finished: note the panel as it left it.
    std::vector<PanelState> states;
    int cycles = 0;
    const auto window = StartWindow(folder, "demo=1\ninterval=" + std::to_string(interval) + "\n" + kNowhere);
    ASSERT_TRUE(window->DemoMode());
    CPanelCtrl& p = window->Panel();
    p.bars[BrakesBar].value = 0.3;
    OnEvent(*window, CycleEvent::EventType(), [&] {
        if (cycles++ == 0)
            return;
        std::vector<double> bars;
        for (const BarElement& bar : p.bars)
            bars.push_back(bar.value);
        states.push_back({p.stickX, p.stickY, p.bank, p.pitch, p.flaps, p.speed, bars});
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return states.size() >= 2; }, 10 * interval + 3000));

    const PanelState& first = states[0];
    EXPECT_EQ(std::tuple(first.stickX, first.stickY, first.bank, first.pitch, first.flaps, first.speed),
              std::tuple(1.0, 0.0, 180.0, 90.0, 1.0, 0.0));
    for (std::size_t i = 0; i < BarCount; ++i)
        EXPECT_DOUBLE_EQ(first.bars[i], i == BrakesBar ? 0.3 : 1.0) << i; // demo leaves the brakes alone

    const PanelState& second = states[1];
    const double c = std::cos(0.1);
    EXPECT_DOUBLE_EQ(second.stickX, c);
    EXPECT_DOUBLE_EQ(second.stickY, 1.0 - c);
    EXPECT_DOUBLE_EQ(second.bank, 180.0 * c);
    EXPECT_DOUBLE_EQ(second.pitch, 90.0 * c);
    EXPECT_DOUBLE_EQ(second.flaps, c);
    EXPECT_DOUBLE_EQ(second.bars[ETrimBar], c);
    EXPECT_DOUBLE_EQ(second.bars[BrakesBar], 0.3);
    // The speed read-out shows the cycle's own period.
    EXPECT_GE(second.speed, interval * 0.5);
    EXPECT_LE(second.speed, interval * 5.0);
    window->RunExitSequence();
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
    // The demo motion is on the picture: instrument green somewhere on black.
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += image.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_GT(lit, 200);

    // An unwritable target is an error, not a silent success.
    options.snapshotPath = folder.Path("no-such-folder/panel.png").toStdString();
    options.snapshotCycles = 1;
    EXPECT_EQ(app.Run(options), 1);
}

TEST(AppRun, TerminationSignalRunsTheExitSequence)
{
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
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<CVanemarkDlg*>(w), nullptr);
}
