#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"
#include "tools/UdpPusher.h"

#include <asio.hpp>

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace vanemark;
using namespace vanemark::test;
using settings::Simulator;

namespace {

int FreePort(bool tcp)
{
    asio::io_context io;
    if (tcp) {
        asio::ip::tcp::acceptor probe(io, asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), 0));
        return probe.local_endpoint().port();
    }
    asio::ip::udp::socket probe(io, asio::ip::udp::endpoint(asio::ip::address_v4::loopback(), 0));
    return probe.local_endpoint().port();
}

std::shared_ptr<const FlightReplay> Flying(double stickX, double bank, const char* aircraft)
{
    FlightSample row;
    row.values.fill(0.0);
    row.values[7] = stickX; // stick_x
    row.values[5] = bank;
    row.aircraft = aircraft;
    return std::make_shared<const FlightReplay>(std::vector<FlightSample>{row}, true, 1.0);
}

} // namespace

// Automatic listens to every simulator at once: the window shows FlightGear
// while it flies, and IL-2 Great Battles once FlightGear stops and IL-2
// starts, each named in the status and the title; the stick IL-2 cannot
// send is drawn as absent.
TEST(SimulatorWindow, AutomaticFollowsWhicheverSimulatorFlies)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    const int il2Port = FreePort(false);
    const int flightGearPort = FreePort(false);
    const std::string settings = kNowhere + "interval=50\nsimulator=auto\nil2gb port=" + std::to_string(il2Port) +
                                 "\nflightgear port=" + std::to_string(flightGearPort) +
                                 "\nxplane port=" + std::to_string(FreePort(false)) +
                                 "\nwarthunder port=" + std::to_string(FreePort(true)) + "\n";
    auto window = StartWindow(folder, settings, true);
    const CPanelCtrl& panel = window->Panel();
    EXPECT_FALSE(window->Simulators().Followed());
    const QString waiting = window->Simulators().StatusText(true);
    for (const Simulator each :
         {Simulator::DeviceLink, Simulator::Il2gb, Simulator::XPlane, Simulator::FlightGear, Simulator::WarThunder}) {
        EXPECT_TRUE(waiting.contains(SimSource::Name(each))) << waiting.toStdString();
    }

    std::string error;
    UdpPusher flightGear(
        {.feed = PushFeed::FlightGear, .port = flightGearPort, .hz = 50, .replay = Flying(0.5, -20.0, "c172p")});
    ASSERT_EQ(flightGear.Start(error), 0) << error;
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::fabs(panel.Values().stickX - 0.5) < 1e-3; }, 5000))
        << window->Simulators().StatusText(true).toStdString();
    EXPECT_EQ(window->Simulators().Followed(), Simulator::FlightGear);
    EXPECT_TRUE(window->Simulators().StatusText(true).startsWith(QLatin1String("FlightGear")));
    EXPECT_EQ(window->windowTitle(), QLatin1String("c172p"));

    UdpPusher il2({.feed = PushFeed::Il2, .port = il2Port, .hz = 50, .replay = Flying(0.9, 45.0, "Yak-1 ser.69")});
    ASSERT_EQ(il2.Start(error), 0) << error;
    QTest::qWait(300);
    EXPECT_EQ(window->Simulators().Followed(), Simulator::FlightGear) << "the one flying is kept while it answers";

    flightGear.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::fabs(panel.Values().bank - 45.0) < 1e-3; }, 6000))
        << window->Simulators().StatusText(true).toStdString();
    EXPECT_EQ(window->Simulators().Followed(), Simulator::Il2gb);
    EXPECT_TRUE(std::isnan(panel.Values().stickX)) << "IL-2 does not send the stick";
    EXPECT_TRUE(window->Simulators().StatusText(true).startsWith(QLatin1String("IL-2 Great Battles")));
    EXPECT_EQ(window->windowTitle(), QLatin1String("Yak-1 ser.69"));

    // Switched from the General page: DeviceLink alone stops listening to
    // IL-2 at once, and back to Automatic finds it again.
    window->SetSimulator(Simulator::DeviceLink);
    EXPECT_TRUE(window->Link().Client().IsStarted());
    EXPECT_EQ(window->Simulators().Source(Simulator::Il2gb), nullptr);
    EXPECT_TRUE(std::isnan(panel.Values().bank));
    window->SetSimulator(Simulator::Automatic);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Simulators().Followed() == Simulator::Il2gb; }, 5000));
    EXPECT_TRUE(window->Link().Client().IsStarted()) << "Automatic asks DeviceLink too";
}
