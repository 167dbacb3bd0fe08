#include "settings/CNumericSpin.h"

#include <QTest>

#include <gtest/gtest.h>

namespace vanemark::test {
namespace {

// The arrows work on the text as it stands, whatever the user typed.
TEST(NumericSpinTest, ArrowsStepTheTextWithinTheRange)
{
    CNumericSpin spin;
    spin.SetRange(25, 10000, 25);
    spin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));
    for (const auto& [text, key, expected] : {std::tuple{"30", Qt::Key_Up, "55"},
                                              {"", Qt::Key_Up, "25"},
                                              {"10000", Qt::Key_Up, "10000"},
                                              {"20000", Qt::Key_Down, "19975"},
                                              {"20000", Qt::Key_Up, "10000"},
                                              {"10", Qt::Key_Down, "25"},
                                              {"9999", Qt::Key_Up, "10000"},
                                              {"125", Qt::Key_Down, "100"}}) {
        spin.SetText(QString::fromLatin1(text));
        QTest::keyClick(&spin, key);
        EXPECT_EQ(spin.Text(), expected) << text;
    }
    spin.SetText(QString());
    QTest::keyClicks(&spin, QStringLiteral("1a2-3.4")); // only digits can be typed
    EXPECT_EQ(spin.Text(), "1234");

    // 0.2 + 0.1 is a hair above 0.3: with wrapping on, a naive comparison
    // would wrap to 0 instead of landing on the bound.
    spin.SetRange(0, 0.3, 0.1);
    spin.setWrapping(true);
    spin.SetText(QStringLiteral("0.2"));
    for (const auto& [delta, expected] : {std::pair{1, "0.3"}, {1, "0"}, {-1, "0.3"}}) {
        spin.stepBy(delta);
        EXPECT_EQ(spin.Text(), expected);
    }
    EXPECT_EQ(CNumericSpin::FormatG(1234567), "1.23457e+06"); // "%g"
}

} // namespace
} // namespace vanemark::test
