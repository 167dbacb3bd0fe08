#include "core/TypedValue.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>

using vanemark::TypedValue;

namespace {

std::string TextOf(const TypedValue& v)
{
    std::string out;
    EXPECT_EQ(v.GetText(out), 0);
    return out;
}

// A decimal comma for streams, whatever the machine has installed.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

// Switches the C++ global locale to a decimal comma, and the C locale too
// when the machine has a German or French one, for the life of the object.
class CommaLocale {
public:
    CommaLocale() : previous(std::locale::global(std::locale(std::locale::classic(), new CommaPunct)))
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"})
            if (std::setlocale(LC_ALL, name))
                break;
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(previous);
    }

private:
    std::locale previous;
};

} // namespace

TEST(TypedValue, ConversionsFollowPrintfRulesAndTruncateTowardZero)
{
    TypedValue integer(TypedValue::Integer);
    integer.SetDouble(-2.7);
    EXPECT_EQ(integer.integer, -2);
    integer.AssignReceived("12.75");
    EXPECT_EQ(integer.integer, 12);
    integer.SetDouble(1e12); // beyond int32: saturates instead of undefined behaviour
    EXPECT_EQ(integer.integer, 2147483647);
    integer.AssignReceived("  -99999999999");
    EXPECT_EQ(integer.integer, -2147483647 - 1);

    TypedValue text(TypedValue::String);
    text.SetDouble(3.14159);
    EXPECT_EQ(TextOf(text), "3.14");
    text.precision = 0;
    text.SetDouble(3.14159);
    EXPECT_EQ(TextOf(text), "3");
    text.SetInt(0);
    EXPECT_EQ(TextOf(text), "0");

    TypedValue dbl(TypedValue::Double);
    dbl.AssignReceived(" 12.75abc");
    EXPECT_DOUBLE_EQ(dbl.dbl, 12.75);
    dbl.AssignReceived("junk");
    EXPECT_DOUBLE_EQ(dbl.dbl, 0.0);
    dbl.AssignReceived("1e999");
    EXPECT_TRUE(std::isinf(dbl.dbl));
    dbl.precision = 3;
    dbl.SetDouble(-0.5);
    EXPECT_EQ(TextOf(dbl), "-0.500");
    EXPECT_TRUE(dbl.Has(TypedValue::Received | TypedValue::Updated));
}

TEST(TypedValue, MissingArgumentsUnassignedTextAndClear)
{
    TypedValue text(TypedValue::String, "name", 0);
    double d = 5.0;
    EXPECT_EQ(text.GetDouble(d), -1);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(TextOf(text), "");
    EXPECT_EQ(text.SetText(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(text.flags, 0u);
    EXPECT_EQ(text.GetText(static_cast<char*>(nullptr)), -1);
    text.SetText("abc");
    EXPECT_EQ(text.GetDouble(d), 0);
    EXPECT_EQ(d, 0.0);

    // Clear zeroes the value and drops Received, keeping the other flags.
    text.flags |= TypedValue::Polled | TypedValue::Readable | TypedValue::Writable;
    text.Clear();
    EXPECT_EQ(TextOf(text), "0");
    EXPECT_EQ(text.flags, TypedValue::Polled | TypedValue::Readable | TypedValue::Writable);
    TypedValue dbl;
    dbl.SetDouble(9.0);
    dbl.Clear();
    EXPECT_EQ(dbl.dbl, 0.0);
    EXPECT_FALSE(dbl.Has(TypedValue::Received));
}

TEST(TypedValue, TextBufferIsReusedAndReadsAreCappedAt255)
{
    TypedValue text(TypedValue::String);
    text.SetText(std::string(300, 'x'));
    const char* buffer = text.text.data();
    text.SetText("short");
    EXPECT_EQ(text.text.data(), buffer);
    EXPECT_EQ(TextOf(text), "short");

    text.SetText(std::string(300, 'y'));
    EXPECT_EQ(TextOf(text), std::string(255, 'y'));
    char raw[256 + 8];
    std::fill(std::begin(raw), std::end(raw), '#');
    ASSERT_EQ(text.GetText(raw), 0);
    EXPECT_EQ(std::string(raw), std::string(255, 'y'));
    EXPECT_EQ(raw[256], '#'); // nothing written past the terminator
}

TEST(TypedValue, DecimalPointWhateverTheLocale)
{
    CommaLocale comma;
    TypedValue dbl(TypedValue::Double);
    dbl.AssignReceived("12.75");
    EXPECT_DOUBLE_EQ(dbl.dbl, 12.75);
    EXPECT_EQ(TextOf(dbl), "12.75");
    dbl.AssignReceived("12,75"); // a comma is where the number ends
    EXPECT_DOUBLE_EQ(dbl.dbl, 12.0);
    EXPECT_EQ(vanemark::FormatFixed(-1234.5, 1), "-1234.5");
}
