#include "TestHost.h"

#include "config/SettingsFile.h"
#include "core/ProfileFile.h"
#include "settings/CSettingsDlg.h"
#include "settings/CSettingsPage.h"
#include "tests/support/VirtualJoystick.h"

#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vanemark::test {
namespace {

using settings::ButtonBinding;
using settings::Command;

constexpr auto kIndex = [](Command command) { return static_cast<std::size_t>(command); };

template <class W> W& Find(QWidget& page, const char* name)
{
    W* found = page.findChild<W*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// A key combination is learnt from one press, a button from the stick, and
// "Apply" stores and hands over both; what the window could not bind is
// named on the page, and so is a desktop without global hotkeys.
TEST(CommandsPageTest, LearnsAppliesAndReportsWhatCouldNotBeBound)
{
    VirtualJoystick stick("Vanemark Test Stick");
    ASSERT_TRUE(stick.Attached());
    const settings::DeviceId id{stick.Guid(), stick.Name()};
    TempDir folder;
    TestHost host;
    host.path = folder.File("Vanemark.ini");
    host.commands.hotkeys[kIndex(Command::Lock)] = "Ctrl+Alt+L";
    host.commands.buttons[kIndex(Command::Record)] = {id, 3};
    host.problems[kIndex(Command::Lock)] = "Ctrl+Alt+L is taken";
    CSettingsDlg dialog(host);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QComboBox*>("pageList")->setCurrentIndex(4);
    QWidget& page = *dialog.Page(CSettingsDlg::commandsPageId);
    const auto click = [&](const char* name) { QTest::mouseClick(&Find<QPushButton>(page, name), Qt::LeftButton); };
    QLabel& problems = Find<QLabel>(page, "hotkeyProblems");
    EXPECT_EQ(problems.text(), "Lock or unlock: Ctrl+Alt+L is taken");
    EXPECT_EQ(Find<QLineEdit>(page, "record button").text(), "Vanemark Test Stick, button 3");

    QKeySequenceEdit& keys = Find<QKeySequenceEdit>(page, "show hide hotkey");
    click("show hide hotkey learn");
    QTest::keyClick(&keys, Qt::Key_G, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(&keys, Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(keys.keySequence().toString(QKeySequence::PortableText), "Ctrl+Alt+H") << "one combination, not a chord";

    click("show hide button learn");
    stick.SetButton(2, true);
    QLineEdit& button = Find<QLineEdit>(page, "show hide button");
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.text() == "Vanemark Test Stick, button 2"; }, 10000));
    click("record button clear");
    click("lock hotkey clear");
    host.problems = {};
    click("apply");
    EXPECT_EQ(host.commands.hotkeys[kIndex(Command::ShowHide)], "Ctrl+Alt+H");
    EXPECT_EQ(host.commands.buttons[kIndex(Command::ShowHide)], (ButtonBinding{id, 2}));
    EXPECT_EQ(host.commands.hotkeys[kIndex(Command::Lock)], "");
    EXPECT_FALSE(host.commands.buttons[kIndex(Command::Record)].Bound());
    ProfileFile stored = settings::OpenSettings(host.path);
    EXPECT_EQ(settings::ReadCommandBindings(stored), host.commands);
    EXPECT_TRUE(problems.isHidden());

    host.noHotkeys = "This desktop offers no global hotkeys.";
    click("apply");
    EXPECT_EQ(problems.text(), "Global hotkeys are unavailable: This desktop offers no global hotkeys.");
}

} // namespace
} // namespace vanemark::test
