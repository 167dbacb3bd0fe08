#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/AppInfo.h"
#include "app/CVanemarkApp.h"
#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <vector>

using namespace vanemark;
using vanemark::test::SettingsValue;
using vanemark::test::WorkFolder;

namespace {

const std::string kNowhere = "server=9 127.0.0.1\n";

struct PanelState {
    double speed, power, flaps, rudder, prop, brakes, bank, pitch, stickX, stickY, aTrim, eTrim, rTrim;
};

PanelState Capture(const CPanelCtrl& p)
{
    return {p.speed,
            p.bars[PowerBar].value,
            p.flaps,
            p.bars[RudderBar].value,
            p.bars[PropBar].value,
            p.bars[BrakesBar].value,
            p.bank,
            p.pitch,
            p.stickX,
            p.stickY,
            p.bars[ATrimBar].value,
            p.bars[ETrimBar].value,
            p.bars[RTrimBar].value};
}

// Notes the panel as each cycle left it: a cycle event arriving means the
// previous cycle has finished.
class CycleRecorder : public QObject {
public:
    explicit CycleRecorder(CVanemarkDlg& w) : window(w) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CycleEvent::EventType()) {
            if (cycles++ > 0)
                states.push_back(Capture(window.Panel()));
        }
        return false;
    }
    CVanemarkDlg& window;
    int cycles = 0;
    std::vector<PanelState> states;
};

} // namespace

TEST(DemoMode, FirstTwoCyclesShowTheStartOfTheMotion)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    constexpr int interval = 200;
    folder.Write("Vanemark.ini", "[settings]\ndemo=1\ninterval=" + std::to_string(interval) + "\n" + kNowhere);
    CVanemarkDlg window;
    window.OnInitDialog();
    ASSERT_TRUE(window.DemoMode());
    window.Panel().bars[BrakesBar].value = 0.3;
    CycleRecorder recorder(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.states.size() >= 2; }, 10 * interval + 3000));

    const PanelState& first = recorder.states[0];
    EXPECT_DOUBLE_EQ(first.stickX, 1.0);
    EXPECT_DOUBLE_EQ(first.stickY, 0.0);
    EXPECT_DOUBLE_EQ(first.bank, 180.0);
    EXPECT_DOUBLE_EQ(first.pitch, 90.0);
    EXPECT_DOUBLE_EQ(first.flaps, 1.0);
    for (double bar : {first.power, first.rudder, first.prop, first.aTrim, first.eTrim, first.rTrim})
        EXPECT_DOUBLE_EQ(bar, 1.0);
    EXPECT_DOUBLE_EQ(first.brakes, 0.3);
    EXPECT_DOUBLE_EQ(first.speed, 0.0);

    const PanelState& second = recorder.states[1];
    const double c = std::cos(0.1);
    EXPECT_DOUBLE_EQ(second.stickX, c);
    EXPECT_DOUBLE_EQ(second.stickY, 1.0 - c);
    EXPECT_DOUBLE_EQ(second.bank, 180.0 * c);
    EXPECT_DOUBLE_EQ(second.pitch, 90.0 * c);
    EXPECT_DOUBLE_EQ(second.flaps, c);
    EXPECT_DOUBLE_EQ(second.brakes, 0.3);
    // The speed read-out shows the cycle's own period.
    EXPECT_GE(second.speed, interval * 0.5);
    EXPECT_LE(second.speed, interval * 5.0);
    window.RunExitSequence();
}

TEST(AppRun, SnapshotWritesThePanelAndLeavesTheSettingsAlone)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
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
    ASSERT_TRUE(folder.IsValid());
    folder.Write("Vanemark.ini", "[settings]\nposition=33 0 44 0\n" + kNowhere);
    CVanemarkApp::Hooks hooks;
    CVanemarkDlg* seen = nullptr;
    hooks.windowStarted = [&](CVanemarkDlg& window) {
        seen = &window;
        QTimer::singleShot(100, [] { std::raise(SIGTERM); });
    };
    CVanemarkApp app(hooks);
    EXPECT_EQ(app.Run({}), 0);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(SettingsValue(folder, "position"), "33 173 44 184");
    // The previous disposition is back.
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

TEST(AppRun, SocketsFailureEndsBeforeAnyWindow)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    CVanemarkApp::Hooks hooks;
    QString shown;
    bool windowMade = false;
    hooks.initialiseSockets = [] { return false; };
    hooks.showError = [&](const QString& text) { shown = text; };
    hooks.windowStarted = [&](CVanemarkDlg&) { windowMade = true; };
    CVanemarkApp app(hooks);
    EXPECT_NE(app.Run({}), 0);
    EXPECT_EQ(shown, QLatin1String("Windows sockets initialization failed."));
    EXPECT_FALSE(windowMade);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<CVanemarkDlg*>(w), nullptr);
}
