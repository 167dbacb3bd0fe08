#include "TestHost.h"

#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/ColourPalette.h"
#include "settings/ColourRef.h"
#include "settings/CustomColours.h"

#include <QColorDialog>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <string_view>

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
    void Key(char key)
    {
        const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,
                                Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape};
        QTest::keyClick(button.Popup(), keys[std::string_view("LRUDE X").find(key)]);
    }

    TempDir folder;
    CColourButton button;
};

TEST_F(ColourButtonTest, KeyboardWalksThePaletteAndChooses)
{
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Up); // swallowed: no popup, focus stays
    EXPECT_TRUE(button.hasFocus() && !button.Popup());
    CColourPopup& popup = OpenWithKey();
    EXPECT_EQ(popup.Selection(), palette::kNone);
    QSignalSpy changes(&popup, &CColourPopup::SelectionChanged);
    const std::string walk = "DUUDRLLRDRDLLRD";
    const int more = palette::kMoreColors;
    const int selections[] = {0, more, 39, more, 0, more, 39, more, 0, 1, 9, 8, 7, 8, kRedBox};
    for (std::size_t i = 0; i < walk.size(); ++i) {
        Key(walk[i]);
        EXPECT_EQ(popup.Selection(), selections[i]) << i;
    }
    ASSERT_EQ(changes.size(), static_cast<qsizetype>(walk.size()));
    EXPECT_EQ(changes.at(1).at(0).value<std::uint32_t>(), kStart); // "More Colors..." reports the start colour
    EXPECT_EQ(button.GetColor(), kRed);                            // tracking
    Key('X');
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_FALSE(button.PopupOpen());

    // Enter or Space choose, also without tracking; the popup opens on the chosen box.
    button.SetTrackSelection(false);
    for (const auto& [walkTo, chosen] : {std::pair{"DRE", 1}, {"L ", 0}}) {
        OpenWithKey();
        for (const char* key = walkTo; *key; ++key) {
            EXPECT_EQ(button.GetColor(), chosen == 1 ? kStart : palette::Entries()[1].colour);
            Key(*key);
        }
        EXPECT_EQ(button.GetColor(), palette::Entries()[chosen].colour);
    }
}

// A colour of no value of its own shows in the workspace colour.
TEST_F(ColourButtonTest, MouseHoverTracksReleaseChoosesAndTheSwatchShows)
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
    for (const auto& [colour, shown] :
         {std::pair{kRed, QColor(255, 0, 0)}, {CColourButton::noColour, button.palette().color(QPalette::Mid)}}) {
        button.SetColor(colour);
        const QImage face = button.grab().toImage();
        EXPECT_EQ(face.pixel(face.width() / 3, face.height() / 2), shown.rgb());
    }
}

// The dialog starts with the stored custom colours and keeps the user's
// edits of them, even when it is cancelled; its choice becomes the colour.
TEST_F(ColourButtonTest, MoreColorsKeepsCustomColoursEvenWhenCancelled)
{
    button.SetCustomColorsFile(folder.Write("colors.ini", "[custom colors]\r\ncolor-3=255\r\n"));
    CustomColourSet expected;
    expected.fill(0xFFFFFF);
    expected[3] = 255;
    expected[5] = 0xFF0000;
    for (const bool accept : {false, true}) {
        QColor seenCustom;
        ASSERT_TRUE(OnModal<QColorDialog>(
            [&] {
                OpenWithKey();
                Key('D'), Key('U'), Key('E');
                QTRY_COMPARE_WITH_TIMEOUT(button.PopupOpen(), false, 5000);
            },
            [&](QColorDialog& dialog) {
                seenCustom = QColorDialog::customColor(3);
                QColorDialog::setCustomColor(5, QColor(0, 0, 255));
                dialog.setCurrentColor(QColor(1, 2, 3));
                accept ? dialog.accept() : dialog.reject();
            }));
        EXPECT_EQ(seenCustom, QColor(255, 0, 0));
        EXPECT_EQ(button.GetColor(), accept ? Rgb(1, 2, 3) : kStart);
        EXPECT_EQ(LoadCustomColours(folder.File("colors.ini")), expected);
        QColorDialog::setCustomColor(3, Qt::black); // what the next run must not see
    }
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
