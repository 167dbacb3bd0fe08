#include "../support/VirtualJoystick.h"
#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "app/JoystickFeed.h"
#include "config/HandBindings.h"
#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace vanemark;
using namespace vanemark::test;
using settings::AxisBinding;
using settings::HandControl;

namespace {

constexpr int kInterval = 50;

std::string Bind(HandControl control, const VirtualJoystick& device, int axis, bool invert = false)
{
    const AxisBinding binding{{device.Guid(), device.Name()}, axis, invert};
    return "hand " + std::string(settings::HandControlKeyName(control)) + "=" + settings::AxisBindingText(binding) +
           "\n";
}

QImage Picture(const CVanemarkDlg& window)
{
    return const_cast<CPanelCtrl&>(window.Panel()).grab().toImage();
}

} // namespace

// No simulator anywhere: the stick alone moves the panel, in pixels too,
// keeps the window up although "hide idle" is on, and shows as absent while
// its device is pulled out, until the same device is plugged in again.
TEST(JoystickWindow, HandAloneDrivesThePanelAndFollowsItsDevice)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    auto stick = std::make_unique<VirtualJoystick>("Vanemark Test Stick", 3);
    ASSERT_TRUE(stick->Attached());
    stick->SetAxis(0, 32767);
    stick->SetAxis(1, 32767);
    stick->SetAxis(2, -32768);
    const std::string settings = kNowhere + "interval=" + std::to_string(kInterval) + "\nhide idle=1\n" +
                                 Bind(HandControl::StickX, *stick, 0) + Bind(HandControl::StickY, *stick, 1, true) +
                                 Bind(HandControl::Rudder, *stick, 2) + "rudder from=joystick\n";
    auto window = StartWindow<TrayDesktopWindow>(folder, settings, true);
    const CPanelCtrl& panel = window->Panel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.Values().stickX == 1.0; }, 3000));
    EXPECT_EQ(panel.Values().stickY, -1.0) << "inverted";
    EXPECT_EQ(panel.Values().bars[RudderBar], -1.0);
    EXPECT_EQ(window->LastFrame().SourceOf(Shown::StickX), FrameSource::Joystick);
    EXPECT_TRUE(std::isnan(panel.Values().speed)) << "speed is the simulator's alone";
    EXPECT_TRUE(std::isnan(panel.Hand().stickX)) << "no ring where the hand is the value";
    EXPECT_TRUE(window->isVisible()) << "the hand is shown while the simulator is away";
    const QImage corner = Picture(*window);

    stick->SetAxis(0, -32768);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.Values().stickX == -1.0; }, 3000));
    EXPECT_NE(Picture(*window), corner);
    stick->SetAxis(0, 32767);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.Values().stickX == 1.0; }, 3000));
    EXPECT_EQ(Picture(*window), corner) << "the same hand draws the same picture";

    stick.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::isnan(panel.Values().stickX); }, 3000));
    EXPECT_TRUE(std::isnan(panel.Values().bars[RudderBar]));
    EXPECT_TRUE(window->Joysticks().StatusText().contains(QLatin1String("Vanemark Test Stick")))
        << window->Joysticks().StatusText().toStdString();

    VirtualJoystick again("Vanemark Test Stick", 3);
    again.SetAxis(0, -32768);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.Values().stickX == -1.0; }, 3000)) << "plugged in again";
    EXPECT_TRUE(window->Joysticks().MissingDevices().empty());

    // Nothing bound: the joysticks are let go, and the panel shows what the
    // simulator does, which here is nothing.
    window->SetHands({});
    EXPECT_FALSE(window->Joysticks().Active());
    EXPECT_TRUE(std::isnan(panel.Values().stickX));
    EXPECT_FALSE(window->isVisible()) << "idle again";
}

// With the stand-in server and a stick together, the simulator's value is
// the dot and the hand the ring, apart wherever the two differ; the hand
// takes the value's place while the simulator is gone.
TEST(JoystickWindow, RingAndDotApartWithTheSimulator)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    DeviceLinkSimOptions options;
    options.port = 0;
    auto sim = std::make_unique<DeviceLinkSim>(options);
    std::string error;
    ASSERT_EQ(sim->Start(error), 0) << error;
    sim->SetValue(84, "0.50");
    sim->SetValue(86, "-0.25");
    sim->SetValue(80, "0.75");
    VirtualJoystick stick("Vanemark Test Stick", 3);
    stick.SetAxis(0, -16384);
    stick.SetAxis(1, 16384);
    stick.SetAxis(2, 0);
    const std::string settings =
        "server=" + std::to_string(sim->Port()) + " 127.0.0.1 127.0.0.1\ninterval=" + std::to_string(kInterval) + "\n" +
        Bind(HandControl::StickX, stick, 0) + Bind(HandControl::StickY, stick, 1) + Bind(HandControl::Power, stick, 2);
    auto window = StartWindow(folder, settings, true);
    const CPanelCtrl& panel = window->Panel();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return panel.Values().stickX == 0.5 && panel.Values().bars[PowerBar] == 0.75; }, 5000));
    EXPECT_EQ(panel.Values().stickY, -0.25);
    EXPECT_NEAR(panel.Hand().stickX, -0.5, 1e-4);
    EXPECT_NEAR(panel.Hand().stickY, 0.5, 1e-4);
    EXPECT_NEAR(panel.Hand().bars[PowerBar], 0.0, 1e-4);
    const QImage both = Picture(*window);
    // The same values without the marks: the ring and the tick are what differ.
    const HandMarks marks = panel.Hand();
    auto& drawn = const_cast<CPanelCtrl&>(panel);
    drawn.SetHandMarks({});
    drawn.Refresh();
    EXPECT_NE(drawn.grab().toImage(), both);
    drawn.SetHandMarks(marks);
    drawn.Refresh();

    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(panel.Values().stickX + 0.5) < 1e-4; }, 5000));
    EXPECT_TRUE(std::isnan(panel.Hand().stickX)) << "no ring without a dot to compare";
    EXPECT_EQ(window->LastFrame().SourceOf(Shown::StickX), FrameSource::Joystick);
}
