#include "TestHost.h"

#include "core/ProfileFile.h"
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
    button.SetColor(kRed);
    const QImage face = button.grab().toImage();
    EXPECT_EQ(face.pixelColor(face.width() / 3, face.height() / 2), QColor(255, 0, 0));
    // A colour of no value of its own shows in the workspace colour.
    button.SetColor(CColourButton::noColour);
    EXPECT_EQ(button.grab().toImage().pixel(face.width() / 3, face.height() / 2),
              button.palette().color(QPalette::Mid).rgb());

    // Hot while the mouse is over it.
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(button.mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.Hot());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.Hot());
}

TEST_F(ColourButtonTest, KeyboardWalksThePaletteAndWrapsThroughMoreColors)
{
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Up); // swallowed: no popup, focus stays
    EXPECT_EQ(button.Popup(), nullptr);
    EXPECT_TRUE(button.hasFocus());

    CColourPopup& popup = OpenWithKey();
    EXPECT_TRUE(button.PopupOpen());
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Selection(), palette::kNone);
    // 8 x 5 boxes of 18 x 18 and the "More Colors..." row below them.
    EXPECT_EQ(popup.EntryRect(7).left() - popup.EntryRect(0).left(), 7 * 18);
    EXPECT_EQ(popup.EntryRect(39).top() - popup.EntryRect(0).top(), 4 * 18);
    EXPECT_EQ(popup.EntryRect(0).size(), QSize(18, 18));
    EXPECT_GT(popup.EntryRect(palette::kMoreColors).top(), popup.EntryRect(39).bottom());

    QSignalSpy changes(&popup, &CColourPopup::SelectionChanged);
    struct Step {
        Qt::Key key;
        int expected;
    };
    const Step steps[] = {
        {Qt::Key_Down, 0},       {Qt::Key_Up, palette::kMoreColors},
        {Qt::Key_Up, 39},        {Qt::Key_Down, palette::kMoreColors},
        {Qt::Key_Right, 0},      {Qt::Key_Left, palette::kMoreColors},
        {Qt::Key_Left, 39},      {Qt::Key_Right, palette::kMoreColors},
        {Qt::Key_Down, 0},       {Qt::Key_Right, 1},
        {Qt::Key_Down, 9},       {Qt::Key_Left, 8},
        {Qt::Key_Left, 7},       {Qt::Key_Right, 8},
        {Qt::Key_Down, kRedBox},
    };
    for (const Step& step : steps) {
        Key(step.key);
        EXPECT_EQ(popup.Selection(), step.expected);
    }
    ASSERT_EQ(changes.size(), static_cast<qsizetype>(std::size(steps)));
    // The "More Colors..." row reports the start colour.
    EXPECT_EQ(changes.at(1).at(0).value<std::uint32_t>(), kStart);
    EXPECT_EQ(changes.back().at(0).value<std::uint32_t>(), kRed);
    EXPECT_EQ(button.GetColor(), kRed); // tracking

    Key(Qt::Key_Escape);
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_FALSE(button.PopupOpen());
    EXPECT_EQ(button.Popup(), nullptr);
}

TEST_F(ColourButtonTest, EnterOrSpaceChoosesWithoutTrackingToo)
{
    button.SetTrackSelection(false);
    QSignalSpy picked(&button, &CColourButton::colourPicked);
    OpenWithKey();
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(button.GetColor(), kStart);
    Key(Qt::Key_Return);
    EXPECT_EQ(button.GetColor(), palette::Entries()[1].colour);
    EXPECT_EQ(picked.size(), 1);

    OpenWithKey(); // starts on the chosen box
    EXPECT_EQ(button.Popup()->Selection(), 1);
    Key(Qt::Key_Left);
    Key(Qt::Key_Space);
    EXPECT_EQ(button.GetColor(), palette::Entries()[0].colour);
}

TEST_F(ColourButtonTest, MouseHoverTracksAndReleaseChooses)
{
    QTest::mouseClick(&button, Qt::LeftButton);
    CColourPopup* popup = button.Popup();
    ASSERT_NE(popup, nullptr);
    const QPoint red = popup->EntryRect(kRedBox).center();
    QTest::mouseMove(popup, red);
    EXPECT_EQ(popup->Selection(), kRedBox);
    EXPECT_EQ(button.GetColor(), kRed);

    QHelpEvent tip(QEvent::ToolTip, red, popup->mapToGlobal(red));
    QApplication::sendEvent(popup, &tip);
    EXPECT_EQ(QToolTip::text(), "Red");

    // Released outside the popup: cancelled.
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(button.GetColor(), kStart);
    EXPECT_FALSE(button.PopupOpen());

    QTest::mouseClick(&button, Qt::LeftButton);
    popup = button.Popup();
    ASSERT_NE(popup, nullptr);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->EntryRect(39).center());
    EXPECT_EQ(button.GetColor(), 0xFFFFFFu);
}

TEST_F(ColourButtonTest, MoreColorsKeepsCustomColoursEvenWhenCancelled)
{
    const std::string colours = folder.File("colors.ini");
    WriteBytes(colours, "[custom colors]\r\ncolor-3=255\r\n");
    button.SetCustomColorsFile(colours);
    // Chooses "More Colors..." from the keyboard and lets `answer` close the colour dialog.
    auto moreColors = [&](const std::function<void(QColorDialog&)>& answer) {
        return HandleModal(
            [&] {
                OpenWithKey();
                Key(Qt::Key_Down);
                Key(Qt::Key_Up);
                EXPECT_EQ(button.Popup()->Selection(), palette::kMoreColors);
                Key(Qt::Key_Return);
                QTRY_COMPARE_WITH_TIMEOUT(button.PopupOpen(), false, 5000);
            },
            [&](QWidget& modal) {
                auto* dialog = qobject_cast<QColorDialog*>(&modal);
                if (dialog)
                    answer(*dialog);
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
    ProfileFile file(colours, '#', "\r\n");
    for (int i = 0; i < 16; ++i) {
        bool missing = false;
        EXPECT_EQ(file.GetInt("custom colors", "color-" + std::to_string(i), -1, &missing), i == 3   ? 255
                                                                                            : i == 5 ? 0xFF0000
                                                                                                     : 0xFFFFFF)
            << i;
        EXPECT_FALSE(missing) << i;
    }

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
