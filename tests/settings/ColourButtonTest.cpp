#include "TestHost.h"

#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/ColourPalette.h"
#include "settings/ColourRef.h"

#include <QApplication>
#include <QColorDialog>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <map>

namespace vanemark::test {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kStart = 0x123456; // in no palette box
constexpr int kRedBox = 16;

class ColourButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        button.SetColor(kStart);
        button.SetTrackSelection(true);
        button.resize(button.sizeHint());
        button.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    }
    CColourPopup& OpenWithKey()
    {
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_Down);
        EXPECT_NE(button.Popup(), nullptr);
        return *button.Popup();
    }
    void Key(Qt::Key key) { QTest::keyClick(button.Popup(), key); }

    TempFolder folder;
    CColourButton button;
};

TEST_F(ColourButtonTest, DrawsItsSwatch)
{
    // A colour of no value of its own shows in the workspace colour.
    for (const auto& [colour, shown] :
         {std::pair{kRed, QColor(255, 0, 0)}, {CColourButton::noColour, button.palette().color(QPalette::Mid)}}) {
        button.SetColor(colour);
        const QImage face = button.grab().toImage();
        EXPECT_EQ(face.pixel(face.width() / 3, face.height() / 2), shown.rgb());
    }
}

TEST_F(ColourButtonTest, KeyboardWalksThePaletteAndWrapsThroughMoreColors)
{
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Up); // swallowed: no popup, focus stays
    EXPECT_EQ(button.Popup(), nullptr);
    EXPECT_TRUE(button.hasFocus());
    CColourPopup& popup = OpenWithKey();
    EXPECT_EQ(popup.Selection(), palette::kNone);

    QSignalSpy changes(&popup, &CColourPopup::SelectionChanged);
    const std::map<char, Qt::Key> arrows{
        {'L', Qt::Key_Left}, {'R', Qt::Key_Right}, {'U', Qt::Key_Up}, {'D', Qt::Key_Down}};
    const std::string walk = "DUUDRLLRDRDLLRD";
    const int more = palette::kMoreColors;
    const int selections[] = {0, more, 39, more, 0, more, 39, more, 0, 1, 9, 8, 7, 8, kRedBox};
    for (std::size_t i = 0; i < walk.size(); ++i) {
        Key(arrows.at(walk[i]));
        EXPECT_EQ(popup.Selection(), selections[i]) << i;
    }
    ASSERT_EQ(changes.size(), static_cast<qsizetype>(walk.size()));
    EXPECT_EQ(changes.at(1).at(0).value<std::uint32_t>(), kStart); // "More Colors..." reports the start colour
    EXPECT_EQ(button.GetColor(), kRed);                            // tracking
    Key(Qt::Key_Escape);
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_FALSE(button.PopupOpen());
}

TEST_F(ColourButtonTest, EnterOrSpaceChoosesWithoutTrackingToo)
{
    button.SetTrackSelection(false);
    OpenWithKey();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right}) {
        Key(key);
    }
    EXPECT_EQ(button.GetColor(), kStart);
    Key(Qt::Key_Return);
    EXPECT_EQ(button.GetColor(), palette::Entries()[1].colour);
    EXPECT_EQ(OpenWithKey().Selection(), 1); // starts on the chosen box
    Key(Qt::Key_Left);
    Key(Qt::Key_Space);
    EXPECT_EQ(button.GetColor(), palette::Entries()[0].colour);
}

TEST_F(ColourButtonTest, MouseHoverTracksAndReleaseChooses)
{
    QTest::mouseClick(&button, Qt::LeftButton);
    CColourPopup* popup = button.Popup();
    const QPoint red = popup->EntryRect(kRedBox).center();
    QTest::mouseMove(popup, red);
    EXPECT_EQ(button.GetColor(), kRed);
    QHelpEvent tip(QEvent::ToolTip, red, popup->mapToGlobal(red));
    QApplication::sendEvent(popup, &tip);
    EXPECT_EQ(QToolTip::text(), "Red");
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(-5, -5)); // outside: cancelled
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_FALSE(button.PopupOpen());

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(button.Popup(), Qt::LeftButton, {}, button.Popup()->EntryRect(39).center());
    EXPECT_EQ(button.GetColor(), 0xFFFFFFu);
}

TEST_F(ColourButtonTest, MoreColorsKeepsCustomColoursEvenWhenCancelled)
{
    const auto file = [](const char* slot5) {
        std::string bytes = "[custom colors]\r\n";
        for (int i = 0; i < 16; ++i) {
            bytes += "color-" + std::to_string(i) + "=" + (i == 3 ? "255" : i == 5 ? slot5 : "16777215") + "\r\n";
        }
        return bytes;
    };
    button.SetCustomColorsFile(folder.Write("colors.ini", file("16777215")));
    // Chooses "More Colors..." from the keyboard and lets `answer` close the colour dialog.
    const auto moreColors = [&](const std::function<void(QColorDialog&)>& answer) {
        return HandleModal(
            [&] {
                OpenWithKey();
                for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
                    Key(key);
                }
                QTRY_COMPARE_WITH_TIMEOUT(button.PopupOpen(), false, 5000);
            },
            [&](QWidget& modal) {
                auto* dialog = qobject_cast<QColorDialog*>(&modal);
                if (dialog) {
                    answer(*dialog);
                }
                return dialog != nullptr;
            });
    };
    QColor seenCustom;
    ASSERT_TRUE(moreColors([&](QColorDialog& dialog) {
        seenCustom = QColorDialog::customColor(3);
        QColorDialog::setCustomColor(5, QColor(0, 0, 255)); // the user edits a slot
        dialog.reject();
    }));
    EXPECT_EQ(seenCustom, QColor(255, 0, 0));
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_EQ(TempDir::Read(folder.File("colors.ini")), file("16711680")); // all 16, in place

    ASSERT_TRUE(moreColors([](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(1, 2, 3));
        dialog.accept();
    }));
    EXPECT_EQ(button.GetColor(), Rgb(1, 2, 3));
}

TEST(ColourPopupPlaceTest, StaysInsideTheWorkArea)
{
    const QRect work(0, 0, 1000, 800);
    const QSize size(150, 130);
    EXPECT_EQ(CColourPopup::Place(size, QRect(100, 100, 60, 24), work), QPoint(100, 124));
    EXPECT_EQ(CColourPopup::Place(size, QRect(900, 100, 60, 24), work), QPoint(850, 124));
    EXPECT_EQ(CColourPopup::Place(size, QRect(-40, 100, 60, 24), work), QPoint(0, 124));
    EXPECT_EQ(CColourPopup::Place(size, QRect(100, 700, 60, 24), work), QPoint(100, 570));
    EXPECT_EQ(CColourPopup::Place(size, QRect(1200, 100, 60, 24), QRect(1000, 0, 1000, 800)), QPoint(1200, 124));
}

} // namespace
} // namespace vanemark::test
