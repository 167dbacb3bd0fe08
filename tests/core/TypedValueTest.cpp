#include "core/TypedValue.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <optional>
#include <string>

using vanemark::TypedValue;

namespace {

std::string TextOf(const TypedValue& v)
{
    std::string out;
    EXPECT_EQ(v.GetText(out), 0);
    return out;
}

// A decimal comma for the C++ global locale, and for the C locale too when
// the machine has a German or French one, for the life of the object.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
struct CommaLocale {
    std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    bool c = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(previous);
    }
};

} // namespace

// Every conversion follows printf's rules with a point, truncates toward
// zero, and does so in a process whose locale has a decimal comma too.
TEST(TypedValue, ConversionsInEveryLocale)
{
    enum Op { SetDouble, SetInt, Received };
    struct Row {
        TypedValue::Type type;
        int precision;
        Op op;
        double number;        // SetDouble, SetInt
        const char* received; // Received
        const char* text;     // GetText afterwards
        double value;         // GetDouble afterwards
    };
    constexpr auto kInt = TypedValue::Integer;
    constexpr auto kText = TypedValue::String;
    constexpr auto kDouble = TypedValue::Double;
    const Row rows[] = {
        {kInt, 2, SetDouble, -2.7, nullptr, "-2", -2.0},
        {kInt, 2, Received, 0, "12.75", "12", 12.0},
        {kInt, 2, SetDouble, 1e12, nullptr, "2147483647", 2147483647.0}, // saturates, no undefined behaviour
        {kInt, 2, Received, 0, "  -99999999999", "-2147483648", -2147483648.0},
        {kText, 2, SetDouble, 3.14159, nullptr, "3.14", 3.14},
        {kText, 0, SetDouble, 3.14159, nullptr, "3", 3.0},
        {kText, 0, SetInt, 0, nullptr, "0", 0.0},
        {kDouble, 2, Received, 0, " 12.75abc", "12.75", 12.75},
        {kDouble, 2, Received, 0, "12,75", "12.00", 12.0}, // a comma is where the number ends
        {kDouble, 2, Received, 0, "junk", "0.00", 0.0},
        {kDouble, 2, Received, 0, "1e999", "inf", HUGE_VAL},
        {kDouble, 2, Received, 0, "1e-400", "0.00", 0.0}, // too small: a zero that keeps its sign
        {kDouble, 2, Received, 0, "-1e-400", "-0.00", -0.0},
        {kDouble, 3, SetDouble, -0.5, nullptr, "-0.500", -0.5},
        {kDouble, 1, SetDouble, -1234.5, nullptr, "-1234.5", -1234.5},
    };
    for (const bool comma : {false, true}) {
        std::optional<CommaLocale> locale;
        if (comma) {
            locale.emplace();
        }
        for (const Row& row : rows) {
            TypedValue cell(row.type, "cell", row.precision);
            if (row.op == SetDouble) {
                cell.SetDouble(row.number);
            } else if (row.op == SetInt) {
                cell.SetInt(static_cast<std::int32_t>(row.number));
            } else {
                cell.AssignReceived(row.received);
            }
            const std::string what = std::string(row.received ? row.received : "set") + (comma ? " (comma)" : "");
            EXPECT_EQ(TextOf(cell), row.text) << what;
            double value = 99.0;
            EXPECT_EQ(cell.GetDouble(value), 0) << what;
            EXPECT_EQ(value, row.value) << what;
            EXPECT_EQ(std::signbit(value), std::signbit(row.value)) << what;
            EXPECT_TRUE(cell.Has(TypedValue::Received | TypedValue::Updated)) << what;
        }
    }
    EXPECT_TRUE(std::signbit(vanemark::ParseDouble("-1e-400")));
}

TEST(TypedValue, UnassignedTextClearAndTheTextCap)
{
    TypedValue text(TypedValue::String, "name", 0);
    double d = 5.0;
    EXPECT_EQ(text.GetDouble(d), -1);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(TextOf(text), "");
    text.SetText("abc");
    EXPECT_EQ(text.GetDouble(d), 0);
    EXPECT_EQ(d, 0.0);
    text.SetText(std::string(300, 'y'));
    EXPECT_EQ(TextOf(text), std::string(255, 'y'));

    // Clear zeroes the value and drops Received and Updated, keeping the other flags.
    for (auto flag : {TypedValue::Polled, TypedValue::Readable, TypedValue::Writable}) {
        text.SetFlag(flag, true);
    }
    text.Clear();
    EXPECT_EQ(TextOf(text), "0");
    EXPECT_EQ(text.Flags(), TypedValue::Polled | TypedValue::Readable | TypedValue::Writable);
    TypedValue dbl;
    dbl.SetDouble(9.0);
    dbl.Clear();
    EXPECT_EQ(dbl.GetDouble(d), 0);
    EXPECT_EQ(d, 0.0);
    EXPECT_FALSE(dbl.Has(TypedValue::Received));
}
