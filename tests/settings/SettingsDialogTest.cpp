#include "TestHost.h"

#include "settings/CColorPage.h"
#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/CSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vanemark::test {
namespace {

constexpr int kGeneral = CSettingsDlg::generalPageId;
constexpr int kColor = CSettingsDlg::colorPageId;

class SettingsDialogTest : public ::testing::Test {
protected:
    void Open(int pageIndex = 0)
    {
        host.path = ini;
        dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        Pages().setCurrentIndex(pageIndex);
    }
    QComboBox& Pages() { return *dialog->findChild<QComboBox*>("pageList"); }
    QWidget& Field(const char* name) { return *dialog->Page(kGeneral)->findChild<QWidget*>(name); }
    QString Text(const char* name) { return Field(name).property("text").toString(); }
    QString Shown()
    {
        return Text("port") + " " + Text("server") + " " + Text("localAddress") + " " + Text("interval");
    }
    void Type(const char* name, const char* text)
    {
        QTest::keyClick(&Field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&Field(name), Qt::Key_Backspace);
        QTest::keyClicks(&Field(name), QString::fromLatin1(text));
    }
    void Click(const char* name, int page = kGeneral)
    {
        QTest::mouseClick(dialog->Page(page)->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    CColourButton& Colour(PanelColours::Role r) { return static_cast<CColorPage*>(dialog->Page(kColor))->Button(r); }

    TempDir folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host;
    std::unique_ptr<CSettingsDlg> dialog;
};

// The page shows the stored server and the interval the window runs at,
// whatever is stored; each Apply (or Enter) writes them with the simulator,
// retimes once and switches the window when the simulator changed.
TEST_F(SettingsDialogTest, GeneralPageShowsAppliesAndRetimes)
{
    folder.Write("Vanemark.ini", "[settings]\r\nserver=4000,sim.local,\t192.168.1.5\r\ninterval=10\r\n");
    host.interval = 25;
    Open();
    EXPECT_EQ(Shown(), "4000 sim.local 192.168.1.5 25");
    auto* simulators = dialog->Page(kGeneral)->findChild<QComboBox*>("simulator");
    ASSERT_NE(simulators, nullptr);
    EXPECT_EQ(simulators->count(), 6);
    EXPECT_EQ(simulators->currentText(), QLatin1String("DeviceLink (IL-2 1946)"));
    for (const auto& [simulator, server, port, local, interval, enter, running, file] : {
             std::tuple{settings::Simulator::XPlane, "sim.local", "2000", "10.1.1.1", "130", false, 125,
                        "[settings]\r\nsimulator=xplane\r\nserver=2000 sim.local 10.1.1.1\r\ninterval=125\r\n"},
             // Beyond the arrows' range but within what the field accepts; the highest port.
             {settings::Simulator::Automatic, "", "65535", "", "20000", false, 20000,
              "[settings]\r\nsimulator=auto\r\nserver=65535 127.0.0.1 \r\ninterval=20000\r\n"},
             {settings::Simulator::DeviceLink, "h", "1", "l", "250", true, 250,
              "[settings]\r\nsimulator=devicelink\r\nserver=1 h l\r\ninterval=250\r\n"},
         }) {
        SCOPED_TRACE(file);
        const int calls = host.calls;
        simulators->setCurrentIndex(static_cast<int>(simulator));
        Type("server", server);
        Type("port", port);
        Type("localAddress", local);
        Type("interval", interval);
        enter ? QTest::keyClick(&Field("interval"), Qt::Key_Return) : Click("apply");
        EXPECT_EQ(TempDir::Read(ini), file);
        EXPECT_EQ(host.calls - calls, 2) << "retimed and switched";
        EXPECT_EQ(host.simulator, simulator);
        EXPECT_EQ(Text("interval"), QString::number(host.interval));
        EXPECT_EQ(host.interval, running);
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(SettingsDialogTest, RefusedGeneralValuesWriteNothing)
{
    for (const auto& [field, text, message] : {
             std::tuple{"port", "0", "Please enter an integer between 1 and 65535."},
             {"port", "65536", "Please enter an integer between 1 and 65535."},
             {"port", "99999999999999999999999", "Please enter an integer between 1 and 65535."},
             {"port", "", "Please enter an integer."},
             {"interval", "", "Please enter a positive integer."},
             {"interval", "20", "Please enter an integer between 25 and 1000000."},
             {"interval", "1000025", "Please enter an integer between 25 and 1000000."},
             {"server", "my host", "Please enter a server address without blanks, tabs, commas, equals signs or #."},
             {"localAddress", "a#b", "Please enter a local address without blanks, tabs, commas, equals signs or #."},
         }) {
        SCOPED_TRACE(std::string(field) + "=" + text);
        Open();
        Type(field, text);
        Field(field == std::string("server") ? "port" : "server").setFocus(); // the refused field takes it back
        EXPECT_EQ(AnswerMessageBox([&] { Click("apply"); }), message);
        EXPECT_TRUE(Field(field).isAncestorOf(dialog->focusWidget()) || dialog->focusWidget() == &Field(field));
        EXPECT_FALSE(std::filesystem::exists(ini));
        EXPECT_EQ(host.calls, 0);
    }
}

// Everything the page shows is written and handed over at "Apply": the
// colours, the font chosen in the font dialog and the title strip.
TEST_F(SettingsDialogTest, ColorApplyWritesEverythingInUseAndHandsItOver)
{
    host.colours[PanelColours::PitchDown] = 0x123456;
    Open(1);
    EXPECT_EQ(Colour(PanelColours::Stick).CustomColorsFile(), "colors.ini");
    QTest::mouseClick(&Colour(PanelColours::Background), Qt::LeftButton);
    QTest::mouseClick(Colour(PanelColours::Background).Popup(), Qt::LeftButton, {},
                      Colour(PanelColours::Background).Popup()->EntryRect(16).center()); // red
    EXPECT_TRUE(OnModal<QFontDialog>([&] { Click("chooseFont", kColor); },
                                     [](QFontDialog& fonts) {
                                         fonts.setCurrentFont(QFont(QStringLiteral("Liberation Sans"), 12));
                                         fonts.accept();
                                     }));
    QTest::keyClick(dialog->Page(kColor)->findChild<QCheckBox*>("showTitle"), Qt::Key_Space);
    EXPECT_EQ(host.calls, 0); // nothing reaches the window before "Apply"
    Click("apply", kColor);
    Click("apply", kColor);
    EXPECT_EQ(TempDir::Read(ini), "[settings]\r\nshow title=1\r\nfont size=12\r\nfont name=Liberation Sans\r\n"
                                  "stick color=65280\r\npitch down=1193046\r\npitch color=8421504\r\n"
                                  "flaps color=12763842\r\ngrid color=12648384\r\nbkcolor=255\r\n");
    EXPECT_EQ(host.colours, (PanelColours{{0x0000FF, 0xC0FFC0, 0xC2C2C2, 0x808080, 0x123456, 0x00FF00}}));
    EXPECT_EQ(std::tuple(host.fontName, host.fontSize, host.showTitle), std::tuple("Liberation Sans", 12, true));
    EXPECT_EQ(host.calls, 5); // the font and the colours twice, the title once
}

// The page shows what the window runs with; "Apply" writes all four keys
// and hands them over. Without a tray a hidden window could not come back.
TEST_F(SettingsDialogTest, WindowPageAppliesScaleOpacityUnitAndHiding)
{
    using settings::SpeedUnit;
    for (const bool tray : {true, false}) {
        host.overlay = {2, 60, SpeedUnit::Kts, false};
        host.tray = tray;
        Open(2);
        CSettingsPage& page = *dialog->Page(CSettingsDlg::windowPageId);
        auto& scale = *page.findChild<QSpinBox*>("scale");
        auto& opacity = *page.findChild<QSpinBox*>("opacity");
        auto& unit = *page.findChild<QComboBox*>("speedUnit");
        auto& hide = *page.findChild<QCheckBox*>("hideIdle");
        EXPECT_EQ(std::tuple(scale.value(), opacity.value(), unit.currentText(), hide.isChecked(), hide.isEnabled()),
                  std::tuple(2, 60, "knots", false, tray));
        if (tray) {
            QTest::keyClick(&scale, Qt::Key_Up);
            QTest::keyClick(&opacity, Qt::Key_Down);
            unit.setCurrentIndex(unit.findText(QStringLiteral("mph")));
            QTest::keyClick(&hide, Qt::Key_Space); // the box spans the dialog, wider than its text
            Click("apply", CSettingsDlg::windowPageId);
            EXPECT_EQ(TempDir::Read(ini), "[settings]\r\nhide idle=1\r\nspeed unit=mph\r\nopacity=50\r\nscale=3\r\n");
            EXPECT_EQ(host.overlay, (settings::OverlaySettings{3, 50, SpeedUnit::Mph, true}));
        }
    }
}

// A file that cannot be written is named with the reason, and the window
// runs with the new values all the same.
TEST_F(SettingsDialogTest, FailedSaveIsShownAndTheWindowKeepsTheValues)
{
    std::filesystem::create_directory(ini);
    const QString expected = QString::fromStdString("The settings could not be saved to " + ini + ": Is a directory.");
    Open();
    Type("interval", "250");
    EXPECT_EQ(AnswerMessageBox([&] { Click("apply"); }), expected);
    EXPECT_EQ(host.interval, 250);

    Pages().setCurrentIndex(1);
    host.showTitle = true;
    EXPECT_EQ(AnswerMessageBox([&] { Click("apply", kColor); }), expected);
    EXPECT_FALSE(host.showTitle);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
}

TEST_F(SettingsDialogTest, SwitchingPagesKeepsTypedValuesAndCloseSavesNothing)
{
    Open();
    // Without a file the page shows the defaults.
    EXPECT_EQ(Shown(), "21100 127.0.0.1 127.0.0.1 500");
    EXPECT_EQ(dialog->Page(kGeneral)->findChild<QLabel*>("version")->text(), "Vanemark v2.0.0, 26 Jan 2006");
    EXPECT_EQ(dialog->windowTitle() + "/" + Pages().itemText(0) + "/" + Pages().itemText(1) + "/" + Pages().itemText(2),
              " Vanemark Settings/General/Color settings/Window");
    Type("server", "typed.host");
    Type("interval", "750");
    Pages().setCurrentIndex(1);
    EXPECT_EQ(dialog->AddPage(99), -1);
    EXPECT_EQ(dialog->VisiblePage(), kColor);
    EXPECT_FALSE(dialog->Page(kGeneral)->isVisible());
    Pages().setCurrentIndex(0);
    EXPECT_EQ(Shown(), "21100 typed.host 127.0.0.1 750");

    Click("close");
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 2000);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(host.calls, 0);
}

} // namespace
} // namespace vanemark::test
