#include "core/TypedValue.h"

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
// Clear zeroes the value and drops Received and Updated, keeping the other
// flags; an unassigned text has no number.
TEST(TypedValue, ConversionsInEveryLocale)
{
    enum Op { SetDouble, SetInt, Received, SetText, Clear, Nothing };
    struct Row {
        TypedValue::Type type;
        int precision;
        Op op;
        double number;     // SetDouble, SetInt, Clear (set before)
        std::string input; // Received, SetText
        std::string text;  // GetText afterwards
        double value;      // GetDouble afterwards
    };
    using enum TypedValue::Type;
    const Row rows[] = {
        {Integer, 2, SetDouble, -2.7, "", "-2", -2.0},
        {Integer, 2, SetDouble, 1e12, "", "2147483647", 2147483647.0}, // saturates, no undefined behaviour
        {Integer, 2, SetDouble, std::nan(""), "", "0", 0.0},
        {String, 2, SetDouble, 3.14159, "", "3.14", 3.14},
        {String, 0, SetDouble, 3.14159, "", "3", 3.0},
        {String, 0, SetInt, 0, "", "0", 0.0},
        {String, 0, SetText, 0, "abc", "abc", 0.0},
        {String, 0, SetText, 0, std::string(300, 'y'), std::string(255, 'y'), 0.0},
        {String, 0, Clear, 5.0, "", "0", 0.0},
        {String, 0, Nothing, 0, "", "", 0.0},
        {Double, 2, Received, 0, " 12.75abc", "12.75", 12.75},
        {Double, 2, Received, 0, "12,75", "12.00", 12.0}, // a comma is where the number ends
        {Double, 3, SetDouble, -0.5, "", "-0.500", -0.5},
        {Double, 1, SetDouble, -1234.5, "", "-1234.5", -1234.5},
        {Double, 2, Clear, 9.0, "", "0.00", 0.0},
    };
    for (const bool comma : {false, true}) {
        std::optional<CommaLocale> locale;
        if (comma) {
            locale.emplace();
        }
        for (const Row& row : rows) {
            TypedValue cell(row.type, "cell", row.precision);
            cell.SetFlag(TypedValue::Polled, true);
            if (row.op == SetDouble || row.op == Clear) {
                cell.SetDouble(row.number);
            } else if (row.op == SetInt) {
                cell.SetInt(static_cast<std::int32_t>(row.number));
            } else if (row.op == SetText) {
                cell.SetText(row.input);
            } else if (row.op == Received) {
                cell.AssignReceived(row.input);
            }
            if (row.op == Clear) {
                cell.Clear();
            }
            SCOPED_TRACE(row.text + (comma ? " (comma)" : ""));
            EXPECT_EQ(TextOf(cell), row.text);
            double value = 99.0;
            EXPECT_EQ(cell.GetDouble(value), row.op == Nothing ? -1 : 0);
            EXPECT_TRUE(value == row.value && std::signbit(value) == std::signbit(row.value)) << value;
            const bool assigned = row.op != Clear && row.op != Nothing;
            EXPECT_EQ(cell.Flags(), TypedValue::Polled | (assigned ? TypedValue::Received | TypedValue::Updated : 0u));
        }
    }
}
