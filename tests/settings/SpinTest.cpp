#include "settings/CNumericSpin.h"

#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace vanemark::test {
namespace {

// The arrows work on the text as it stands, whatever the user typed.
TEST(NumericSpinTest, ArrowsStepTheTextWithinTheRange)
{
    CNumericSpin spin;
    spin.SetRange(25, 10000, 25);
    EXPECT_EQ(spin.Steps(), 399);
    spin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));

    struct Case {
        const char* text;
        Qt::Key key;
        const char* expected;
    };
    const Case cases[] = {
        {"30", Qt::Key_Up, "55"},         {"", Qt::Key_Up, "25"},         {"10000", Qt::Key_Up, "10000"},
        {"20000", Qt::Key_Down, "19975"}, {"20000", Qt::Key_Up, "10000"}, {"10", Qt::Key_Down, "25"},
        {"9999", Qt::Key_Up, "10000"},    {"125", Qt::Key_Down, "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        spin.SetText(QString::fromLatin1(c.text));
        QTest::keyClick(&spin, c.key);
        EXPECT_EQ(spin.Text(), c.expected);
    }

    // The up arrow with the mouse does the same.
    spin.SetText(QStringLiteral("30"));
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.subControls = QStyle::SC_SpinBoxUp;
    option.buttonSymbols = spin.buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    const QRect up = spin.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &spin);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(spin.Text(), "55");
}

TEST(NumericSpinTest, OnlyDigitsCanBeTyped)
{
    CNumericSpin spin;
    spin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));
    spin.setFocus();
    QTest::keyClicks(&spin, QStringLiteral("1a2-3.4"));
    EXPECT_EQ(spin.Text(), "1234");
}

TEST(NumericSpinTest, RoundingNeverPushesALandingValuePastItsBound)
{
    CNumericSpin spin;
    spin.SetRange(0, 0.3, 0.1);
    // 0.2 + 0.1 is a hair above 0.3: with wrapping on, a naive comparison
    // would wrap to 0 instead of landing on the bound.
    spin.setWrapping(true);
    spin.SetText(QStringLiteral("0.2"));
    spin.stepBy(1);
    EXPECT_EQ(spin.Text(), "0.3");
    spin.stepBy(1);
    EXPECT_EQ(spin.Text(), "0");
    spin.stepBy(-1);
    EXPECT_EQ(spin.Text(), "0.3");

    // "%g": six significant digits, no trailing zeros.
    EXPECT_EQ(CNumericSpin::FormatG(0.1 + 0.2), "0.3");
    EXPECT_EQ(CNumericSpin::FormatG(19975), "19975");
    EXPECT_EQ(CNumericSpin::FormatG(1234567), "1.23457e+06");
}

TEST(NumericSpinTest, PositionFollowsTheText)
{
    CNumericSpin spin;
    spin.SetText(QStringLiteral("5025"));
    spin.SetRange(25, 10000, 25);
    EXPECT_EQ(spin.Position(), 200);
    spin.SetText(QStringLiteral("20000"));
    spin.SetRange(25, 10000, 25);
    EXPECT_EQ(spin.Position(), 399);
    spin.SetRange(0, 1e9, 1);
    EXPECT_EQ(spin.Steps(), 32767);
}

} // namespace
} // namespace vanemark::test
