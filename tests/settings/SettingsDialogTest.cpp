#include "TestHost.h"

#include "settings/CColorPage.h"
#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/CSettingsDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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
    void Open(int page = kGeneral)
    {
        dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(page == kGeneral ? 0 : 1);
    }
    QWidget& Field(const char* name) { return *dialog->Page(kGeneral)->findChild<QWidget*>(name); }
    QString Text(const char* name) { return Field(name).property("text").toString(); }
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
    static void PickRed(CColourButton& button)
    {
        QTest::mouseClick(&button, Qt::LeftButton);
        const QPoint red = button.Popup()->EntryRect(16).center();
        QTest::mouseMove(button.Popup(), red);
        QTest::mouseClick(button.Popup(), Qt::LeftButton, {}, red);
    }

    TempFolder folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host{ini};
    std::unique_ptr<CSettingsDlg> dialog;
};

// The interval shown is the one the window runs at, whatever is stored.
TEST_F(SettingsDialogTest, GeneralPageShowsTheStoredServerAndTheRunningInterval)
{
    for (const auto& [file, running, port, server, local] : {
             std::tuple{"", 500, "21100", "127.0.0.1", "127.0.0.1"},
             {"[settings]\r\nserver=21100 10.0.0.7\r\ninterval=10\r\n", 25, "21100", "10.0.0.7", ""},
             {"[settings]\r\nserver=21100\r\n", 125, "21100", "127.0.0.1", ""},
             {"[settings]\r\nserver=4000,sim.local,\t192.168.1.5\r\n", 500, "4000", "sim.local", "192.168.1.5"},
             {"[settings]\r\nserver=abc host\r\n", 500, "0", "host", ""},
         }) {
        SCOPED_TRACE(file);
        folder.Write("Vanemark.ini", file);
        host.interval = running;
        Open();
        EXPECT_EQ(Text("port"), port);
        EXPECT_EQ(Text("server"), server);
        EXPECT_EQ(Text("localAddress"), local);
        EXPECT_EQ(Text("interval"), QString::number(running));
    }
    EXPECT_EQ(dialog->Page(kGeneral)->findChild<QLabel*>("version")->text(), "Vanemark v2.0.0, 26 Jan 2006");
}

TEST_F(SettingsDialogTest, GeneralApplyOrEnterWritesAndRetimes)
{
    Open();
    for (const auto& [server, port, local, interval, enter, running, file] : {
             std::tuple{"sim.local", "2000", "10.1.1.1", "130", false, 125,
                        "[settings]\r\ninterval=125\r\nserver=2000 sim.local 10.1.1.1\r\n"},
             // Beyond the arrows' range but within what the field accepts; the highest port.
             {"", "65535", "", "20000", false, 20000, "[settings]\r\ninterval=20000\r\nserver=65535 127.0.0.1 \r\n"},
             {"h", "1", "l", "250", true, 250, "[settings]\r\ninterval=250\r\nserver=1 h l\r\n"},
         }) {
        SCOPED_TRACE(file);
        Type("server", server);
        Type("port", port);
        Type("localAddress", local);
        Type("interval", interval);
        enter ? QTest::keyClick(&Field("interval"), Qt::Key_Return) : Click("apply");
        EXPECT_EQ(TempDir::Read(ini), file);
        EXPECT_EQ(host.interval, running);
        EXPECT_EQ(Text("interval"), QString::number(running));
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(SettingsDialogTest, RefusedGeneralValuesWriteNothing)
{
    const std::string before = "[settings]\r\nserver=21100 127.0.0.1 127.0.0.1\r\ninterval=500\r\n";
    folder.Write("Vanemark.ini", before);
    const char* const port = "Please enter an integer between 1 and 65535.";
    const char* const interval = "Please enter an integer between 25 and 1000000.";
    for (const auto& [field, text, message] : {
             std::tuple{"port", "0", port},
             {"port", "65536", port},
             {"port", "99999999999999999999999", port},
             {"port", "", "Please enter an integer."},
             {"interval", "", "Please enter a positive integer."},
             {"interval", "20", interval},
             {"interval", "1000025", interval},
             {"server", "my host", "Please enter a server address without blanks, tabs, commas or equals signs."},
             {"localAddress", "a=b", "Please enter a local address without blanks, tabs, commas or equals signs."},
         }) {
        SCOPED_TRACE(std::string(field) + "=" + text);
        Open();
        Type(field, text);
        Field(field == std::string("server") ? "port" : "server").setFocus(); // the refused field takes it back
        EXPECT_EQ(AnswerMessageBox([&] { Click("apply"); }), message);
        EXPECT_TRUE(Field(field).isAncestorOf(dialog->focusWidget()) || dialog->focusWidget() == &Field(field));
        EXPECT_EQ(TempDir::Read(ini), before);
        EXPECT_EQ(host.calls, 0);
    }
}

// The window starts without the title strip: a stored "01" turns it on at
// the first "Apply" only, and is written back in the program's own format.
TEST_F(SettingsDialogTest, ColorApplyWritesEverythingInUseAndHandsItOver)
{
    folder.Write("Vanemark.ini", "[settings]\r\nshow title=01\r\n");
    host.colours[PanelColours::PitchDown] = 0x123456;
    Open(kColor);
    EXPECT_EQ(Colour(PanelColours::PitchDown).GetColor(), 0x123456u);
    EXPECT_EQ(Colour(PanelColours::Stick).CustomColorsFile(), "colors.ini");
    PickRed(Colour(PanelColours::Background));
    EXPECT_EQ(host.calls, 0); // nothing reaches the window before "Apply"
    Click("apply", kColor);
    Click("apply", kColor);
    EXPECT_EQ(TempDir::Read(ini), "[settings]\r\nfont size=8\r\nfont name=Courier New\r\nstick color=65280\r\n"
                                  "pitch down=1193046\r\npitch color=8421504\r\nflaps color=12763842\r\n"
                                  "grid color=12648384\r\nbkcolor=255\r\nshow title=1\r\n");
    PanelColours expected;
    expected[PanelColours::PitchDown] = 0x123456;
    expected[PanelColours::Background] = 0x0000FF;
    EXPECT_EQ(host.colours, expected);
    EXPECT_TRUE(host.showTitle);
    EXPECT_EQ(host.calls, 5); // the font and the colours twice, the title once
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

    dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(1);
    host.showTitle = true;
    EXPECT_EQ(AnswerMessageBox([&] { Click("apply", kColor); }), expected);
    EXPECT_FALSE(host.showTitle);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
}

TEST_F(SettingsDialogTest, SwitchingPagesKeepsTypedValuesAndCloseSavesNothing)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), " Vanemark Settings");
    Type("server", "typed.host");
    Type("interval", "750");
    auto* pages = dialog->findChild<QComboBox*>("pageList");
    EXPECT_EQ(pages->itemText(0) + "/" + pages->itemText(1), "General/Color settings");
    pages->setCurrentIndex(1);
    EXPECT_EQ(dialog->AddPage(99), -1);
    EXPECT_EQ(dialog->VisiblePage(), kColor);
    EXPECT_FALSE(dialog->Page(kGeneral)->isVisible());
    PickRed(Colour(PanelColours::Stick));
    pages->setCurrentIndex(0);
    EXPECT_EQ(Text("server"), "typed.host");
    EXPECT_EQ(Text("interval"), "750");

    Click("close");
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 2000);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(host.calls, 0);
}

} // namespace
} // namespace vanemark::test
