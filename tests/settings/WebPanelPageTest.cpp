#include "TestHost.h"

#include "config/SettingsFile.h"
#include "settings/CSettingsDlg.h"
#include "settings/CSettingsPage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vanemark::test {
namespace {

using settings::WebPanelSetting;

constexpr int kWeb = CSettingsDlg::webPanelPageId;

class WebPanelPageTest : public ::testing::Test {
protected:
    void Open()
    {
        host.path = ini;
        dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        auto& pages = *dialog->findChild<QComboBox*>("pageList");
        EXPECT_EQ(pages.itemText(5), "Web panel");
        pages.setCurrentIndex(5);
    }
    template <class W> W& Field(const QString& name)
    {
        W* found = dialog->Page(kWeb)->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
    QCheckBox& Enabled() { return Field<QCheckBox>("webEnabled"); }
    QSpinBox& Port() { return Field<QSpinBox>("webPort"); }
    QCheckBox& Others() { return Field<QCheckBox>("webOthers"); }
    QLabel& Status() { return Field<QLabel>("webStatus"); }
    WebPanelSetting Shown() { return {Enabled().isChecked(), Port().value(), Others().isChecked()}; }
    // The addresses on screen, each of which must be read-only.
    std::vector<std::string> Urls()
    {
        std::vector<std::string> urls;
        while (auto* edit = dialog->Page(kWeb)->findChild<QLineEdit*>(QString("url %1").arg(urls.size()))) {
            EXPECT_TRUE(edit->isReadOnly());
            urls.push_back(edit->isVisible() ? edit->text().toStdString() : "(hidden)");
        }
        return urls;
    }
    void Click(const QString& name) { QTest::mouseClick(&Field<QPushButton>(name), Qt::LeftButton); }
    void TypePort(int port)
    {
        QTest::keyClick(&Port(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&Port(), QString::number(port));
    }

    TempDir folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host;
    std::unique_ptr<CSettingsDlg> dialog;
};

// Each Apply (the button or Enter) writes the three keys, has the window
// serve what the page shows, and lists the addresses it serves at now.
TEST_F(WebPanelPageTest, ApplyWritesTheKeysAndServes)
{
    Open();
    EXPECT_EQ(Shown(), WebPanelSetting{});
    EXPECT_FALSE(Port().isEnabled());
    EXPECT_TRUE(Urls().empty());
    EXPECT_FALSE(Status().isVisible());

    const struct {
        bool serve;
        int port; // 0: left as it is
        bool others;
        bool enter;
        WebPanelSetting applied;
        const char* file;
        std::vector<std::string> urls;
    } rows[] = {
        {true,
         0,
         false,
         false,
         {true, 21180, false},
         "web others=0\r\nweb port=21180\r\nweb panel=1\r\n",
         {"http://127.0.0.1:21180/"}},
        {true,
         8080,
         true,
         true,
         {true, 8080, true},
         "web others=1\r\nweb port=8080\r\nweb panel=1\r\n",
         {"http://127.0.0.1:8080/", "http://192.0.2.7:8080/"}},
        // Off keeps the port and the audience for the next time.
        {false, 0, true, false, {false, 8080, true}, "web others=1\r\nweb port=8080\r\nweb panel=0\r\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const int calls = host.calls;
        if (Enabled().isChecked() != row.serve) {
            QTest::keyClick(&Enabled(), Qt::Key_Space); // the box spans the dialog, wider than its text
        }
        EXPECT_EQ(Port().isEnabled(), row.serve);
        EXPECT_EQ(Others().isEnabled(), row.serve);
        if (row.port != 0) {
            TypePort(row.port);
        }
        if (Others().isChecked() != row.others) {
            QTest::keyClick(&Others(), Qt::Key_Space);
        }
        row.enter ? QTest::keyClick(&Port(), Qt::Key_Return) : Click("apply");
        EXPECT_EQ(host.calls - calls, 1);
        EXPECT_EQ(host.web, row.applied);
        EXPECT_EQ(TempDir::Read(ini), std::string("[settings]\r\n") + row.file);
        EXPECT_EQ(Shown(), row.applied);
        EXPECT_EQ(Urls(), row.urls);
        EXPECT_EQ(Field<QLabel>("webHint").isVisible(), row.serve);
        EXPECT_EQ(Status().text(), row.serve ? "Browsers find the panel at:" : "");
        EXPECT_TRUE(dialog->isVisible());
    }
}

// The page lists the host's addresses as they are; "Copy" puts its own one
// on the clipboard.
TEST_F(WebPanelPageTest, CopyPutsThatAddressOnTheClipboard)
{
    host.web = {true, 4242, true};
    host.serving = true;
    Open();
    const std::vector<std::string> urls{"http://127.0.0.1:4242/", "http://192.0.2.7:4242/"};
    ASSERT_EQ(Urls(), urls);
    EXPECT_EQ(Field<QLabel>("webHint").text(), "For OBS: add ?bg=transparent; ?scale=2 for a larger picture.");
    EXPECT_TRUE(Field<QLabel>("webOthersWarning").isVisible());
    for (const int i : {1, 0}) {
        Click(QString("copy %1").arg(i));
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), urls[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(host.calls, 0);
}

// Why the window cannot serve stands on the page in red, until an Apply
// succeeds; the window runs on, and the file has what was applied.
TEST_F(WebPanelPageTest, ARefusalIsShownUntilServingWorks)
{
    host.webRefusal = "The bound address is already in use";
    Open();
    const QColor normal = Status().palette().color(QPalette::WindowText);
    QTest::keyClick(&Enabled(), Qt::Key_Space);
    Click("apply");
    EXPECT_EQ(Status().text(),
              "The panel cannot be served: The bound address is already in use. The window runs on without it.");
    EXPECT_TRUE(Status().isVisible());
    EXPECT_EQ(Status().palette().color(QPalette::WindowText), QColor(0xC0, 0, 0));
    EXPECT_TRUE(Urls().empty());
    EXPECT_FALSE(Field<QLabel>("webHint").isVisible());
    EXPECT_TRUE(host.web.enabled);
    ProfileFile file = settings::OpenSettings(ini);
    EXPECT_EQ(settings::ReadWebPanel(file), host.web);

    // Opened again, the page knows only that nothing is served.
    dialog.reset();
    Open();
    EXPECT_EQ(Status().text(), "The panel is not being served. Apply tries again.");

    host.webRefusal.clear();
    Click("apply");
    EXPECT_EQ(Status().text(), "Browsers find the panel at:");
    EXPECT_EQ(Status().palette().color(QPalette::WindowText), normal);
    EXPECT_EQ(Urls(), std::vector<std::string>{"http://127.0.0.1:21180/"});
}

} // namespace
} // namespace vanemark::test
