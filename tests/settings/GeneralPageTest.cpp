#include "TestHost.h"

#include "settings/CNumericSpin.h"
#include "settings/CSettingsDlg.h"
#include "settings/CSettingsPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vanemark::test {
namespace {

class GeneralPageTest : public ::testing::Test {
protected:
    std::unique_ptr<CSettingsDlg> Open()
    {
        auto dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
    static QWidget& Page(CSettingsDlg& dialog) { return *dialog.Page(CSettingsDlg::generalPageId); }
    static QLineEdit& Edit(CSettingsDlg& dialog, const char* name)
    {
        return *Page(dialog).findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static CNumericSpin& Interval(CSettingsDlg& dialog) { return *Page(dialog).findChild<CNumericSpin*>("interval"); }
    static void Type(QWidget& field, const char* text)
    {
        field.setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(&field))
            edit->clear();
        else
            static_cast<QAbstractSpinBox&>(field).clear();
        QTest::keyClicks(&field, QString::fromLatin1(text));
    }
    static void Apply(CSettingsDlg& dialog)
    {
        QTest::mouseClick(Page(dialog).findChild<QPushButton*>("apply"), Qt::LeftButton);
    }

    TempFolder folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host{ini};
};

TEST_F(GeneralPageTest, ReadsServerAndIntervalVariants)
{
    struct Case {
        const char* file;
        const char* port;
        const char* server;
        const char* local;
        const char* interval;
    };
    const Case cases[] = {
        {"", "21100", "127.0.0.1", "127.0.0.1", "500"},
        {"[settings]\r\nserver=21100 10.0.0.7\r\ninterval=130\r\n", "21100", "10.0.0.7", "", "125"},
        {"[settings]\r\nserver=21100\r\ninterval=10\r\n", "21100", "127.0.0.1", "", "0"},
        {"[settings]\r\nserver=4000,sim.local,\t192.168.1.5\r\ninterval=-40\r\n", "4000", "sim.local", "192.168.1.5",
         "25"},
        {"[settings]\r\nserver=abc host\r\n", "0", "host", "", "500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteBytes(ini, c.file);
        auto dialog = Open();
        EXPECT_EQ(Edit(*dialog, "port").text(), c.port);
        EXPECT_EQ(Edit(*dialog, "server").text(), c.server);
        EXPECT_EQ(Edit(*dialog, "localAddress").text(), c.local);
        EXPECT_EQ(Interval(*dialog).Text(), c.interval);
        EXPECT_EQ(Page(*dialog).findChild<QLabel*>("version")->text(), "Vanemark v2.0.0, 26 Jan 2006");
    }
}

TEST_F(GeneralPageTest, ApplyOrEnterWritesServerAndIntervalAndRetimes)
{
    auto dialog = Open();
    Type(Edit(*dialog, "server"), "sim.local");
    Type(Edit(*dialog, "port"), "2000");
    Type(Edit(*dialog, "localAddress"), "10.1.1.1");
    Type(Interval(*dialog), "130");
    Apply(*dialog);

    // New keys go to the top of their section.
    EXPECT_EQ(ReadBytes(ini), "[settings]\r\ninterval=125\r\nserver=2000 sim.local 10.1.1.1\r\n");
    EXPECT_EQ(host.interval, 125);
    EXPECT_EQ(Interval(*dialog).Text(), "125");
    EXPECT_TRUE(dialog->isVisible());

    // Beyond the arrows' range but within what the field accepts.
    Type(Interval(*dialog), "20000");
    Apply(*dialog);
    EXPECT_EQ(ReadBytes(ini), "[settings]\r\ninterval=20000\r\nserver=2000 sim.local 10.1.1.1\r\n");
    EXPECT_EQ(host.interval, 20000);

    // Enter applies the page in front.
    Type(Interval(*dialog), "250");
    QTest::keyClick(&Interval(*dialog), Qt::Key_Return);
    EXPECT_EQ(host.interval, 250);
    EXPECT_EQ(ReadBytes(ini), "[settings]\r\ninterval=250\r\nserver=2000 sim.local 10.1.1.1\r\n");
}

TEST_F(GeneralPageTest, RefusedValuesWriteNothing)
{
    const std::string before = "[settings]\r\nserver=21100 127.0.0.1 127.0.0.1\r\ninterval=500\r\n";
    WriteBytes(ini, before);
    struct Case {
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"port", "0", "Please enter an integer between 1 and 65535."},
        {"port", "70000", "Please enter an integer between 1 and 65535."},
        {"port", "99999999999999999999999", "Please enter an integer between 1 and 65535."},
        {"port", "", "Please enter an integer."},
        {"interval", "", "Please enter a positive integer."},
        {"interval", "20", "Please enter an integer between 25 and 1000000."},
        {"interval", "1000025", "Please enter an integer between 25 and 1000000."},
        {"server", "my host", "Please enter a server address without blanks, tabs, commas or equals signs."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + "=" + c.text);
        const auto dialog = Open();
        CSettingsDlg& d = *dialog;
        const std::string name = c.field;
        QWidget* field = name == "interval" ? static_cast<QWidget*>(&Interval(d)) : &Edit(d, c.field);
        Type(*field, c.text);
        Edit(d, name == "server" ? "port" : "server").setFocus(); // the refused field has to take the focus back
        const auto message = AnswerMessageBox([&] { Apply(d); });
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(*message, c.message);
        QWidget* focus = d.focusWidget();
        EXPECT_TRUE(focus == field || (focus && focus->parentWidget() == field));
        EXPECT_EQ(ReadBytes(ini), before);
        EXPECT_EQ(host.setIntervalCalls, 0);
    }
}

TEST_F(GeneralPageTest, SwitchingPagesKeepsTypedValuesAndCloseSavesNothing)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), " Vanemark Settings");
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dialog->isModal());
    Type(Edit(*dialog, "server"), "typed.host");
    Type(Interval(*dialog), "750");
    auto* pages = dialog->findChild<QComboBox*>("pageList");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->itemText(0), "General");
    EXPECT_EQ(pages->itemText(1), "Color settings");
    pages->setCurrentIndex(1);
    EXPECT_EQ(dialog->VisiblePage(), CSettingsDlg::colorPageId);
    EXPECT_FALSE(Page(*dialog).isVisible());
    pages->setCurrentIndex(0);
    EXPECT_TRUE(Page(*dialog).isVisible());
    EXPECT_EQ(Edit(*dialog, "server").text(), "typed.host");
    EXPECT_EQ(Interval(*dialog).Text(), "750");

    QTest::mouseClick(Page(*dialog).findChild<QPushButton*>("close"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 2000);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ini)));
    EXPECT_EQ(host.setIntervalCalls, 0);
}

} // namespace
} // namespace vanemark::test
