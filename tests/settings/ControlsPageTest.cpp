#include "TestHost.h"

#include "config/SettingsFile.h"
#include "settings/CControlsPage.h"
#include "settings/CSettingsDlg.h"
#include "tests/support/VirtualJoystick.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vanemark::test {
namespace {

using settings::AxisBinding;
using settings::HandControl;
using settings::HandOrigin;

constexpr int kControls = CSettingsDlg::controlsPageId;
constexpr int kWaitMs = 10000;

class ControlsPageTest : public ::testing::Test {
protected:
    void Open()
    {
        host.path = ini;
        dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(3);
    }
    template <class W> W& Field(const char* control, const char* part)
    {
        W* found = dialog->Page(kControls)->findChild<W*>(QString("%1 %2").arg(control, part));
        EXPECT_NE(found, nullptr) << control << " " << part;
        return *found;
    }
    QComboBox& Axis(const char* control) { return Field<QComboBox>(control, "axis"); }
    QCheckBox& Invert(const char* control) { return Field<QCheckBox>(control, "invert"); }
    QProgressBar& Bar(const char* control) { return Field<QProgressBar>(control, "position"); }
    QString Status() { return dialog->Page(kControls)->findChild<QLabel*>("joystickStatus")->text(); }
    void Click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
    void Apply() { Click(*dialog->Page(kControls)->findChild<QPushButton*>("apply")); }
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kWaitMs); }

    TempDir folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host;
    std::unique_ptr<CSettingsDlg> dialog;
};

// The axis that moved furthest during the three seconds is bound; when
// nothing moved the row keeps what it had. Either way nothing is applied.
TEST_F(ControlsPageTest, LearnBindsTheMovedAxisOrKeepsTheOldOne)
{
    VirtualJoystick stick("Vanemark Test Stick");
    ASSERT_TRUE(stick.Attached());
    const settings::DeviceId id{stick.Guid(), stick.Name()};
    host.hands.Axis(HandControl::Brakes) = {id, 3, false};
    Open();
    const struct {
        const char* control;
        const char* name;
        bool move;
        const char* bound;
        const char* result;
    } rows[] = {
        {"rudder", "Rudder", true, "Vanemark Test Stick, axis 2", "Rudder now follows Vanemark Test Stick, axis 2."},
        {"brakes", "Brakes", false, "Vanemark Test Stick, axis 3", "No control moved."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        auto& learn = Field<QPushButton>(row.control, "learn");
        Click(learn);
        EXPECT_EQ(Status(), QString("%1: move the control now (3 s)").arg(row.name));
        EXPECT_FALSE(Field<QPushButton>("stick x", "learn").isEnabled()) << "one at a time";
        QTest::qWait(300);
        if (row.move) {
            stick.SetAxis(0, 6000); // a hand resting on the stick
            stick.SetAxis(2, -16000);
            QTest::qWait(100);
            stick.SetAxis(2, 20000);
        }
        EXPECT_TRUE(WaitFor([&] { return learn.isEnabled(); }));
        EXPECT_EQ(Axis(row.control).currentText(), row.bound);
        EXPECT_EQ(Status(), row.result);
    }
    EXPECT_EQ(Axis("stick x").currentText(), "None");
    EXPECT_EQ(host.calls, 0);
    EXPECT_FALSE(std::filesystem::exists(ini));
}

// The bar shows where the bound axis is now, the other way round when
// inverted; rows without an axis show nothing.
TEST_F(ControlsPageTest, PositionBarFollowsTheAxisAfterInvert)
{
    VirtualJoystick stick("Vanemark Test Stick");
    host.hands.Axis(HandControl::StickY) = {{stick.Guid(), stick.Name()}, 1, false};
    Open();
    const struct {
        std::int16_t raw;
        bool invert;
        int shown;
    } rows[] = {{16384, false, 500}, {16384, true, -500}, {-32768, false, -1000}, {32767, true, -1000}, {0, true, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.raw << (row.invert ? " inverted" : ""));
        if (Invert("stick y").isChecked() != row.invert) {
            Click(Invert("stick y"));
        }
        stick.SetAxis(1, row.raw);
        EXPECT_TRUE(WaitFor([&] { return Bar("stick y").value() == row.shown; })) << Bar("stick y").value();
        EXPECT_TRUE(Bar("stick y").isEnabled());
    }
    EXPECT_FALSE(Bar("stick x").isEnabled());
    EXPECT_LT(Bar("stick x").value(), Bar("stick x").minimum());
    EXPECT_FALSE(Invert("stick x").isEnabled());
}

// "Apply" writes every control's two keys and hands the bindings to the
// window, and a page opened on what was read back shows them. A binding to a
// device that is away survives untouched.
TEST_F(ControlsPageTest, ApplyWritesHandsOverAndReopens)
{
    VirtualJoystick stick("Vanemark Test Stick");
    VirtualJoystick pedals("Vanemark Test Pedals", 3, 0x5602);
    const settings::DeviceId stickId{stick.Guid(), stick.Name()};
    const settings::DeviceId pedalsId{pedals.Guid(), pedals.Name()};
    const AxisBinding away{{"0300000000f00000000a000001000000", "Gone Throttle"}, 5, true};
    host.hands.Axis(HandControl::Power) = away;
    const struct {
        HandControl control;
        const char* choice; // nullptr: left alone
        bool invert;
        HandOrigin origin;
        AxisBinding bound;
        const char* reopened;
    } rows[] = {
        {HandControl::StickX,
         "Vanemark Test Stick, axis 0",
         false,
         HandOrigin::Joystick,
         {stickId, 0, false},
         "Vanemark Test Stick, axis 0"},
        {HandControl::StickY,
         "Vanemark Test Stick, axis 1",
         true,
         HandOrigin::Both,
         {stickId, 1, true},
         "Vanemark Test Stick, axis 1"},
        {HandControl::Rudder,
         "Vanemark Test Pedals, axis 2",
         false,
         HandOrigin::Simulator,
         {pedalsId, 2, false},
         "Vanemark Test Pedals, axis 2"},
        {HandControl::Power, nullptr, true, HandOrigin::Both, away, "Gone Throttle, axis 5 (not connected)"},
        {HandControl::Brakes, "None", false, HandOrigin::Simulator, {}, "None"},
    };
    const auto key = [](HandControl control) { return std::string(settings::HandControlKeyName(control)); };
    Open();
    for (const auto& row : rows) {
        const std::string name = key(row.control);
        if (row.choice) {
            Axis(name.c_str()).setCurrentIndex(Axis(name.c_str()).findText(row.choice));
        }
        if (Invert(name.c_str()).isChecked() != row.invert && Invert(name.c_str()).isEnabled()) {
            Click(Invert(name.c_str()));
        }
        auto& from = Field<QComboBox>(name.c_str(), "from");
        from.setCurrentIndex(from.findData(static_cast<int>(row.origin)));
    }
    Apply();
    EXPECT_EQ(host.calls, 1);
    settings::HandBindings expected;
    for (const auto& row : rows) {
        expected.Axis(row.control) = row.bound;
        expected.origins[static_cast<std::size_t>(row.control)] = row.origin;
    }
    EXPECT_EQ(host.hands, expected);
    ProfileFile file = settings::OpenSettings(ini);
    EXPECT_EQ(settings::ReadHandBindings(file), expected);

    dialog.reset();
    host.hands = settings::ReadHandBindings(file);
    Open();
    for (const auto& row : rows) {
        const std::string name = key(row.control);
        SCOPED_TRACE(name);
        EXPECT_EQ(Axis(name.c_str()).currentText(), row.reopened);
        EXPECT_EQ(Invert(name.c_str()).isChecked(), row.bound.invert);
        EXPECT_EQ(Field<QComboBox>(name.c_str(), "from").currentData().toInt(), static_cast<int>(row.origin));
    }
}

// A device pulled out stays listed for its rows as not connected, and comes
// back as it was when plugged in again.
TEST_F(ControlsPageTest, UnpluggedDeviceStaysListedAsNotConnected)
{
    auto stick = std::make_unique<VirtualJoystick>("Vanemark Test Stick");
    host.hands.Axis(HandControl::Rudder) = {{stick->Guid(), stick->Name()}, 2, true};
    Open();
    EXPECT_EQ(Axis("rudder").currentText(), "Vanemark Test Stick, axis 2");
    EXPECT_EQ(Axis("stick x").count(), 5) << "None and four axes";
    EXPECT_TRUE(WaitFor([&] { return Bar("rudder").isEnabled(); }));

    stick.reset();
    EXPECT_TRUE(WaitFor([&] { return Axis("rudder").currentText() == "Vanemark Test Stick, axis 2 (not connected)"; }))
        << Axis("rudder").currentText().toStdString();
    EXPECT_EQ(Axis("stick x").count(), 1);
    EXPECT_FALSE(Bar("rudder").isEnabled());
    EXPECT_TRUE(Invert("rudder").isChecked());
    EXPECT_EQ(Status(), "No joystick is attached.");

    VirtualJoystick again("Vanemark Test Stick");
    again.SetAxis(2, 32767);
    EXPECT_TRUE(WaitFor([&] { return Axis("rudder").currentText() == "Vanemark Test Stick, axis 2"; }));
    EXPECT_TRUE(WaitFor([&] { return Bar("rudder").value() == -1000; }));
    EXPECT_EQ(Axis("rudder").count(), 5) << "listed once";
}

// SDL runs while the page is on screen and not a moment longer.
TEST_F(ControlsPageTest, JoysticksAreReadOnlyWhileThePageShows)
{
    ASSERT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    Open();
    EXPECT_NE(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(3);
    EXPECT_NE(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    dialog->hide();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
}

} // namespace
} // namespace vanemark::test
