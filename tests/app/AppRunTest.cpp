#include "AppTestSupport.h"

#include "app/CVanemarkApp.h"
#include "app/CVanemarkDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace vanemark;
using namespace vanemark::test;

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
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<CVanemarkDlg*>(w), nullptr);
    }
}
