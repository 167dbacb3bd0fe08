#include "../devicelink/LoopbackServer.h"
#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/CVanemarkDlg.h"
#include "app/LinkStatusText.h"
#include "app/TrayIcon.h"
#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
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

std::string ServerSettings(int port)
{
    return "server=" + std::to_string(port) + " 127.0.0.1 127.0.0.1\ninterval=" + std::to_string(kInterval) + "\n";
}

double CachedSpeed(CVanemarkDlg& window)
{
    double speed = -1.0;
    window.Link().Client().GetKeyDouble(30, speed, 0);
    return speed;
}

} // namespace

// One window against the stand-in server through a whole connection life:
// connect, live values, server gone, server back, and "Exit" from the menu.
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
    std::vector<std::pair<QString, PanelValues>> cycles; // title and panel as each cycle was about to run
    // --verbose hands the client's diagnostics to standard error, here a file.
    const std::string logPath = folder.Path("stderr.txt").toStdString();
    std::fflush(stderr);
    const int savedStderr = ::dup(2);
    FILE* capture = std::fopen(logPath.c_str(), "w");
    ASSERT_NE(capture, nullptr);
    ::dup2(::fileno(capture), 2);
    LaunchOptions verbose;
    verbose.verbose = true;
    // With "hide idle" the window shows only while the link is up.
    const auto owned = StartWindow<TrayDesktopWindow>(
        folder, ServerSettings(port) + "position=30 0 40 0\nhide idle=1\n", false, verbose);
    CVanemarkDlg& window = *owned;
    EXPECT_EQ(window.windowTitle(), kDefaultTitle);
    window.show();
    const CPanelCtrl& panel = window.Panel();

    // The aircraft name arrives as key 22 and becomes the title.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == QLatin1String("Trainer Mk.II"); }));
    EXPECT_TRUE(window.isVisible());
    std::fflush(stderr);
    ::dup2(savedStderr, 2);
    ::close(savedStderr);
    std::fclose(capture);
    const std::string log = folder.Read("stderr.txt");
    EXPECT_NE(log.find("SubscribeKey(): Adding"), std::string::npos) << log.substr(0, 500);
    EXPECT_NE(log.find("Received: A"), std::string::npos) << log.substr(0, 500);
    EXPECT_NE(log.find("Sent: R/"), std::string::npos) << log.substr(0, 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.Values().speed == 250.5 && panel.Values().flaps == 0.25; }, 3000));
    EXPECT_DOUBLE_EQ(panel.Values().bars[PowerBar], 0.5);

    // Take the server away: the title comes back, every value shows as
    // absent, and no cycle runs until the link is back.
    OnEvent(window.Link(), CycleEvent::EventType(), [&] { cycles.emplace_back(window.windowTitle(), panel.Values()); });
    sim.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == kDefaultTitle; }));
    EXPECT_TRUE(!window.isVisible() && window.Tray()->IsVisible());
    const PanelValues& lost = panel.Values();
    EXPECT_TRUE(std::isnan(lost.flaps) && std::isnan(lost.bars[PowerBar]) && std::isnan(lost.speed) &&
                std::isnan(lost.stickX) && std::isnan(lost.bank));
    QTest::qWait(2 * kInterval);
    const std::size_t cyclesAfterLoss = cycles.size();
    QTest::qWait(6 * kInterval);
    EXPECT_EQ(cycles.size(), cyclesAfterLoss);

    // The server comes back on the same port: the window reconnects.
    sim = StartSim(port);
    ASSERT_TRUE(sim);
    sim->SetValue(22, "Second Flight");
    sim->SetValue(30, "300.0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == QLatin1String("Second Flight"); }));
    EXPECT_TRUE(window.isVisible() && !window.Tray()->IsVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.Values().speed == 300.0; }, 4 * kInterval + 2000));
    // Out of the cockpit is not flying either: only the clock answers.
    sim->SetInCockpit(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible() && window.Tray()->IsVisible(); }, 5000));
    sim->SetInCockpit(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 5000));
    // A one-character name is not a title.
    sim->SetValue(22, "X");
    QTest::qWait(6 * kInterval);
    EXPECT_EQ(window.windowTitle(), QLatin1String("Second Flight"));

    // "Exit" from the context menu stops everything and saves the position.
    window.move(55, 66);
    QSignalSpy finished(&window, &CVanemarkDlg::finished);
    QTimer::singleShot(50, &window, [&window] {
        QMenu* menu = window.ContextMenu();
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().constLast());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 3000));
    EXPECT_FALSE(window.isVisible() || window.Link().Client().IsStarted());
    EXPECT_EQ(SettingsValue(folder, "position"), "66 148 55 333");
}

// The tick thread loses the server and finds it again before the window has
// handled the loss: the late Disconnected must not wipe the fresh values.
TEST(LiveWindow, ALossHandledAfterTheReconnectionKeepsTheFreshValues)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    auto sim = StartSim(0);
    ASSERT_TRUE(sim);
    const int port = sim->Port();
    sim->SetValue(30, "250.5");
    const auto window = StartWindow(folder, ServerSettings(port), true);
    // A reply carrying the speed can come before the first heartbeat answer.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->Link().Client().IsConnected() && window->Panel().Values().speed == 250.5; }));
    QCoreApplication::processEvents();

    const std::uint32_t connected = window->Link().Client().LinkGeneration();
    sim.reset();
    ASSERT_TRUE(WaitUntil([&] { return window->Link().Client().LinkGeneration() != connected; }));
    sim = StartSim(port);
    ASSERT_TRUE(sim);
    sim->SetValue(30, "300.0");
    ASSERT_TRUE(WaitUntil(
        [&] { return window->Link().Client().LinkGeneration() == connected + 2 && CachedSpeed(*window) == 300.0; }));

    // The queue now holds the loss, then the reconnection. Right after the
    // loss is handled the cache and the panel must not have been reset.
    std::vector<std::pair<double, double>> atLinkEvents; // cached speed, shown speed
    OnEvent(window->Link(), LinkEvent::EventType(),
            [&] { atLinkEvents.emplace_back(CachedSpeed(*window), window->Panel().Values().speed); });
    QCoreApplication::sendPostedEvents(&window->Link(), LinkEvent::EventType());
    ASSERT_GE(atLinkEvents.size(), 2u);
    for (const auto& [cached, shown] : atLinkEvents) {
        EXPECT_EQ(cached, 300.0);
        EXPECT_EQ(shown, 250.5); // no cycle has run since the loss
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Panel().Values().speed == 300.0; }, 10 * kInterval));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == QLatin1String("Trainer Mk.II"); }));
    window->RunExitSequence();
}

// An online mission: the simulator keeps the flight values to itself. The
// panel shows them as absent, the controls live, and the status says why.
TEST(LiveWindow, AnOnlineMissionShowsTheFlightValuesAbsentAndSaysWhy)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    DeviceLinkSim sim({.port = 0, .online = true});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    sim.SetValue(84, "0.5");
    const auto window = StartWindow(folder, ServerSettings(sim.Port()), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Panel().Values().stickX == 0.5; }, 3000));
    const PanelValues& shown = window->Panel().Values();
    EXPECT_TRUE(std::isnan(shown.speed) && std::isnan(shown.bank) && std::isnan(shown.pitch));
    const Frame& frame = window->LastFrame();
    EXPECT_TRUE(frame.SourceOf(Shown::Speed) == FrameSource::None &&
                frame.SourceOf(Shown::StickX) == FrameSource::Simulator);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return LinkStatusText(window->Link().Client().Status(), true).contains(QLatin1String("(online mission?)"));
        },
        3000));
    EXPECT_TRUE(LinkStatusText(window->Link().Client().Status(), true)
                    .contains(QLatin1String("Not sent by the simulator: speed, heading, bank, pitch")));
    window->RunExitSequence();
}

// A server that answers with bursts of key-22 fields: the window gets one
// title event at a time, not one per field.
TEST(LiveWindow, BurstsOfTitleFieldsAreCoalesced)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    LoopbackServer server;
    int titleEvents = 0;
    const auto window = StartWindow(folder, ServerSettings(server.Port()));
    OnEvent(window->Link(), LinkEvent::EventType(), [&titleEvents] { ++titleEvents; });
    ASSERT_TRUE(server.Receive());
    for (int burst = 0; burst < 20; ++burst) {
        std::string reply = "A/20\\1";
        while (reply.size() < 2000) {
            reply.append("/22\\Aircraft ").append(std::to_string(burst));
        }
        server.SendTo(window->Link().Client().LocalPort(), reply);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == QLatin1String("Aircraft 19"); }, 3000));
    QTest::qWait(200);
    EXPECT_LE(titleEvents, 8); // the connection and a few titles, not 20 bursts of 150 fields
    window->RunExitSequence();
}
