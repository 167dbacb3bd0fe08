#include "../support/VirtualJoystick.h"
#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "config/CommandBindings.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace vanemark;
using namespace vanemark::test;
using settings::ButtonBinding;
using settings::Command;

// Every command from a stick's buttons and hat, as the menus run it: the
// same state, and the same keys saved. A second press of one button runs its
// command again only once the button has been let go.
TEST(CommandWindow, StickButtonsRunEveryCommand)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    VirtualJoystick stick("Vanemark Test Stick", 2);
    ASSERT_TRUE(stick.Attached());
    const settings::DeviceId id{stick.Guid(), stick.Name()};
    struct Step {
        Command command;
        ButtonBinding button;
        std::function<bool(const CVanemarkDlg&)> done;
    };
    const std::vector<Step> steps{
        {Command::ShowHide, {id, 0}, [](const auto& w) { return !w.isVisible() && w.UserHidden() && w.Tray(); }},
        {Command::ShowHide, {id, 0}, [](const auto& w) { return w.isVisible() && !w.UserHidden(); }},
        {Command::Lock, {id, 1}, [&](const auto& w) { return w.Locked() && SettingsValue(folder, "locked") == "1"; }},
        {Command::Record, {id, 2}, [](const auto& w) { return w.Recording().IsRecording(); }},
        {Command::ScaleUp,
         {id, 3},
         [&](const auto& w) { return w.Overlay().scale == 2 && SettingsValue(folder, "scale") == "2"; }},
        {Command::ScaleDown,
         {id, 0, ButtonBinding::Up},
         [&](const auto& w) { return w.Overlay().scale == 1 && SettingsValue(folder, "scale") == "1"; }},
        {Command::HandMarks,
         {id, 0, ButtonBinding::Down},
         [&](const auto& w) { return !w.Hands().showMarks && SettingsValue(folder, "hand markers") == "0"; }},
    };
    std::string settings = kNowhere;
    for (const Step& step : steps) {
        settings += std::string(CommandKeyName(step.command)) + " button=" + ButtonBindingText(step.button) + "\n";
    }
    auto window = StartWindow<TrayDesktopWindow>(folder, settings, true);
    const int width = window->width();
    for (const Step& step : steps) {
        const bool hat = step.button.hat != ButtonBinding::NoHat;
        hat ? stick.SetHat(step.button.hat) : stick.SetButton(step.button.index, true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return step.done(*window); }, 3000)) << CommandKeyName(step.command);
        hat ? stick.SetHat(SDL_HAT_CENTERED) : stick.SetButton(step.button.index, false);
        // Long enough for several looks at the stick to see it let go.
        QTest::qWait(8 * CommandInput::kButtonPollMs);
    }
    EXPECT_EQ(window->width(), width);
    window->RunExitSequence();
    EXPECT_EQ(QDir(folder.Path(".")).entryList({QStringLiteral("vanemark-*.csv")}).size(), 1);
}
