#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/AppInfo.h"
#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace vanemark;
using namespace vanemark::test;

namespace {

constexpr int kInterval = 100;
const QString kDefaultTitle = QStringLiteral("Vanemark v2.0.0");

std::unique_ptr<DeviceLinkSim> StartSim(int port)
{
    DeviceLinkSimOptions options;
    options.port = port;
    auto sim = std::make_unique<DeviceLinkSim>(options);
    std::string error;
    if (sim->Start(error) != 0) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    return sim;
}

// Picks an item of the pop-up menu as soon as it is open.
void ChooseFromMenuSoon(CVanemarkDlg& window, const QString& item)
{
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, timer, [&window, item, timer, tries = 0]() mutable {
        QMenu* menu = window.ContextMenu();
        if (menu == nullptr || !menu->isVisible()) {
            if (++tries >= 300) {
                ADD_FAILURE() << "the menu did not open";
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        for (QAction* action : menu->actions()) {
            if (action->text() == item) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << item.toStdString();
        menu->close();
    });
    timer->start(10);
}

} // namespace

// One window against the stand-in server through a whole connection life:
// connect, live values, server gone, server back, and "Exit".
TEST(LiveWindow, FollowsTheServerThroughLossAndReconnection)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    auto sim = StartSim(0);
    ASSERT_TRUE(sim);
    const int port = sim->Port();
    sim->SetValue(30, "250.5");
    sim->SetValue(82, "0.25");
    sim->SetValue(80, "0.5");
    // What the panel held each time a cycle was about to run.
    struct Entry {
        QString title;
        double flaps, power, speed;
    };
    std::vector<Entry> entries;
    const auto owned = StartWindow(folder, "server=" + std::to_string(port) + " 127.0.0.1 127.0.0.1\ninterval=" +
                                               std::to_string(kInterval) + "\nposition=30 0 40 0\n");
    CVanemarkDlg& window = *owned;
    EXPECT_EQ(window.windowTitle(), kDefaultTitle);
    EXPECT_EQ(window.ServerPort(), port);
    window.show();
    CPanelCtrl& panel = window.Panel();

    // The aircraft name arrives as key 22 and becomes the title.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == QLatin1String("Trainer Mk.II"); }, 5000))
        << window.windowTitle().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.speed == 250.5 && panel.flaps == 0.25; }, 3000));
    EXPECT_DOUBLE_EQ(panel.bars[PowerBar].value, 0.5);

    // A changed value shows within a poll and a cycle.
    sim->SetValue(30, "123.0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.speed == 123.0; }, 4 * kInterval + 1000));

    // Take the server away: the title comes back, and until the next cycle
    // the panel shows flaps and power at -1.
    OnEvent(window, CycleEvent::EventType(), [&] {
        entries.push_back({window.windowTitle(), panel.flaps, panel.bars[PowerBar].value, panel.speed});
    });
    sim.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == kDefaultTitle; }, 5000));
    const std::size_t lossSeenAt = entries.size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return entries.size() > lossSeenAt; }, 10 * kInterval));
    const auto firstAfterLoss =
        std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.title == kDefaultTitle; });
    ASSERT_NE(firstAfterLoss, entries.end());
    EXPECT_DOUBLE_EQ(firstAfterLoss->flaps, -1.0);
    EXPECT_DOUBLE_EQ(firstAfterLoss->power, -1.0);
    EXPECT_DOUBLE_EQ(firstAfterLoss->speed, 0.0);
    // The cycles go on reading the cache, which the loss has zeroed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.flaps == 0.0; }, 10 * kInterval));

    // The server comes back on the same port: the window reconnects.
    sim = StartSim(port);
    ASSERT_TRUE(sim);
    sim->SetValue(22, "Second Flight");
    sim->SetValue(30, "300.0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == QLatin1String("Second Flight"); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.speed == 300.0; }, 4 * kInterval + 2000));

    // A one-character name is not a title.
    sim->SetValue(22, "X");
    QTest::qWait(6 * kInterval);
    EXPECT_EQ(window.windowTitle(), QLatin1String("Second Flight"));

    // "Exit" from the context menu stops everything and saves the position.
    window.move(55, 66);
    QSignalSpy finished(&window, &CVanemarkDlg::finished);
    ChooseFromMenuSoon(window, QStringLiteral("Exit"));
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 3000));
    EXPECT_TRUE(window.ExitDone());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Client().IsStarted());
    EXPECT_EQ(SettingsValue(folder, "position"), "66 148 55 333");

    // A second request to end does nothing more.
    folder.Write("Vanemark.ini", "[settings]\nposition=1 2 3 4\n");
    window.RunExitSequence();
    window.close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(SettingsValue(folder, "position"), "1 2 3 4");
}

TEST(LiveWindow, VerboseHandsClientDiagnosticsToStandardError)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    auto sim = StartSim(0);
    ASSERT_TRUE(sim);
    // Standard error goes to a file while the window runs.
    const std::string logPath = folder.Path(QStringLiteral("stderr.txt")).toStdString();
    std::fflush(stderr);
    const int saved = ::dup(2);
    FILE* capture = std::fopen(logPath.c_str(), "w");
    ASSERT_NE(capture, nullptr);
    ::dup2(::fileno(capture), 2);
    bool titled = false;
    LaunchOptions verbose;
    verbose.verbose = true;
    {
        const auto window =
            StartWindow(folder, "server=" + std::to_string(sim->Port()) + " 127.0.0.1\ninterval=100\n", false, verbose);
        titled = QTest::qWaitFor([&] { return window->windowTitle() != kDefaultTitle; }, 3000);
        window->RunExitSequence();
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::fclose(capture);
    EXPECT_TRUE(titled);
    const std::string log = folder.Read(QStringLiteral("stderr.txt"));
    EXPECT_NE(log.find("SubscribeKey(): Adding"), std::string::npos) << log.substr(0, 500);
    EXPECT_NE(log.find("Received: A"), std::string::npos) << log.substr(0, 500);
}
