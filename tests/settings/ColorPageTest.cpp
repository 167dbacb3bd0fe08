#include "TestHost.h"

#include "core/ProfileFile.h"
#include "settings/CColorPage.h"
#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/CSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vanemark::test {
namespace {

constexpr int kRedBox = 16;

class ColorPageTest : public ::testing::Test {
protected:
    std::unique_ptr<CSettingsDlg> Open()
    {
        auto dialog = std::make_unique<CSettingsDlg>(host);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->findChild<QComboBox*>("pageList")->setCurrentIndex(1);
        return dialog;
    }
    static CColorPage& Page(CSettingsDlg& dialog)
    {
        return static_cast<CColorPage&>(*dialog.Page(CSettingsDlg::colorPageId));
    }
    static void Click(CSettingsDlg& dialog, const char* name)
    {
        QTest::mouseClick(Page(dialog).findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    // The first pixel that shows the background colour.
    QPoint BackgroundPixel()
    {
        const QImage image = host.panel.RenderImage();
        for (int y = image.height() - 1; y >= 0; --y)
            for (int x = image.width() - 1; x >= 0; --x)
                if (image.pixelColor(x, y) == QColor(0, 0, 0))
                    return {x, y};
        return {-1, -1};
    }
    static void PickRed(CColourButton& button)
    {
        QTest::mouseClick(&button, Qt::LeftButton);
        CColourPopup* popup = button.Popup();
        ASSERT_NE(popup, nullptr);
        QTest::mouseMove(popup, popup->EntryRect(kRedBox).center());
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->EntryRect(kRedBox).center());
    }

    TempFolder folder;
    std::string ini = folder.File("Vanemark.ini");
    TestHost host{ini};
};

TEST_F(ColorPageTest, StartsFromThePanelAndApplyWithoutChangesWritesEverything)
{
    auto dialog = Open();
    CColorPage& page = Page(*dialog);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.Button(CColorPage::Instruments).GetColor(), 0xC0FFC0u);
    EXPECT_EQ(page.Button(CColorPage::PitchDown).GetColor(), 0x80FF80u);
    EXPECT_TRUE(page.Button(CColorPage::Stick).TrackSelection());
    EXPECT_EQ(page.Button(CColorPage::Stick).CustomColorsFile(), "colors.ini");
    EXPECT_FALSE(page.findChild<QCheckBox*>("showTitle")->isVisible());

    const QImage before = host.panel.RenderImage();
    Click(*dialog, "apply");
    EXPECT_EQ(ReadBytes(ini), "[settings]\r\n"
                              "font size=8\r\n"
                              "font name=Courier New\r\n"
                              "stick color=65280\r\n"
                              "pitch down=8454016\r\n"
                              "pitch color=8421504\r\n"
                              "flaps color=12763842\r\n"
                              "grid color=12648384\r\n"
                              "bkcolor=0\r\n");
    EXPECT_EQ(host.setFontCalls, 1);
    EXPECT_EQ(host.setShowTitleCalls, 0);
    EXPECT_EQ(host.panel.RenderImage(), before);
}

TEST_F(ColorPageTest, RedBackgroundIsStoredAndDrawnOnApply)
{
    const QPoint pixel = BackgroundPixel();
    ASSERT_GE(pixel.x(), 0);
    auto dialog = Open();
    PickRed(Page(*dialog).Button(CColorPage::Background));
    EXPECT_EQ(Page(*dialog).Button(CColorPage::Background).GetColor(), 0x0000FFu);
    // Nothing reaches the panel before "Apply".
    EXPECT_EQ(host.panel.backgroundColour, 0);
    EXPECT_EQ(host.panel.RenderImage().pixelColor(pixel), QColor(0, 0, 0));

    Click(*dialog, "apply");
    EXPECT_EQ(ProfileFile(ini, '#', "\r\n").GetInt("settings", "bkcolor", -1), 255);
    EXPECT_EQ(host.panel.backgroundColour, 255);
    EXPECT_EQ(host.panel.Image().pixelColor(pixel), QColor(255, 0, 0));
}

TEST_F(ColorPageTest, StoredTitleStateIsAppliedOnlyWhenItDiffers)
{
    // "01" turns the strip on at the first "Apply" and is written back in the program's own format;
    // "0" matches the panel and changes nothing.
    for (const auto& [stored, written, calls] :
         {std::tuple{"01", "show title=1\r\n", 1}, {"0", "show title=0\r\n", 0}}) {
        WriteBytes(ini, std::string("[settings]\r\nshow title=") + stored + "\r\n");
        host.showTitle = false;
        host.panel.showTitle = 0;
        host.setShowTitleCalls = 0;
        auto dialog = Open();
        Click(*dialog, "apply");
        Click(*dialog, "apply");
        EXPECT_EQ(host.setShowTitleCalls, calls) << stored;
        EXPECT_EQ(host.panel.showTitle, calls) << stored;
        EXPECT_NE(ReadBytes(ini).find(written), std::string::npos) << stored;
    }
}

TEST_F(ColorPageTest, CloseLeavesFileAndPanelAlone)
{
    WriteBytes(ini, "[settings]\r\nbkcolor=0\r\n");
    const QImage before = host.panel.RenderImage();
    auto dialog = Open();
    PickRed(Page(*dialog).Button(CColorPage::Background));
    PickRed(Page(*dialog).Button(CColorPage::Stick));
    Click(*dialog, "close");
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 2000);
    EXPECT_EQ(ReadBytes(ini), "[settings]\r\nbkcolor=0\r\n");
    EXPECT_EQ(host.panel.backgroundColour, 0);
    EXPECT_EQ(host.panel.stickColour, 0x00FF00);
    EXPECT_EQ(host.panel.RenderImage(), before);
    EXPECT_EQ(host.setFontCalls, 0);
}

} // namespace
} // namespace vanemark::test
