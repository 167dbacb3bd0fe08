#include "core/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vanemark {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view SkipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return text.substr(i);
}

// The decimal exponent of the first non-zero digit of an unsigned decimal
// number ("0.000123" gives -4, "1230e-2" gives 1). Out of range, it alone
// tells a value too small from one too large: "0.000...1" with 400 zeros is
// tiny although no exponent is written, "1000...0e-100" with 500 zeros huge.
long long LeadingDigitExponent(std::string_view number)
{
    constexpr long long kFar = 1'000'000'000; // beyond any double, and safe to add
    long long integerDigits = 0;
    long long leadingZeros = 0;
    bool nonZeroSeen = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        if (!afterPoint) {
            integerDigits = std::min(integerDigits + 1, kFar);
        }
        if (!nonZeroSeen && c == '0') {
            leadingZeros = std::min(leadingZeros + 1, kFar);
        } else {
            nonZeroSeen = true;
        }
    }
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        const std::int32_t written = ParseInt(number.substr(i + 1));
        exponent = written;
    }
    return integerDigits - 1 - leadingZeros + exponent;
}

} // namespace

std::int32_t ParseInt(std::string_view text)
{
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulate in 64 bits and saturate: a value from a hand-edited file may
    // have any number of digits.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min<std::int64_t>(magnitude * 10 + (c - '0'), limit);
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, limit - 1));
}

double ParseDouble(std::string_view text)
{
    text = SkipSpace(text);
    bool negative = false;
    std::string_view body = text;
    // from_chars takes a minus sign but not a plus sign.
    if (!body.empty() && body.front() == '+') {
        body.remove_prefix(1);
        if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
            return 0.0;
        }
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (ec == std::errc::invalid_argument) {
        return 0.0;
    }
    if (ec == std::errc::result_out_of_range) {
        negative = !body.empty() && body.front() == '-';
        const std::string_view used(body.data(), static_cast<std::size_t>(end - body.data()));
        if (LeadingDigitExponent(negative ? used.substr(1) : used) < 0) {
            return negative ? -0.0 : 0.0;
        }
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

std::string FormatInt(std::int32_t v)
{
    std::array<char, 16> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return {buf.data(), end};
}

std::string FormatFixed(double v, int precision)
{
    if (precision < 0) {
        precision = 6;
    }
    if (std::isnan(v)) {
        return std::signbit(v) ? "-nan" : "nan";
    }
    if (std::isinf(v)) {
        return v < 0 ? "-inf" : "inf";
    }
    // The largest double has 309 integer digits.
    std::string out(static_cast<std::size_t>(precision) + 320, '\0');
    auto [end, ec] = std::to_chars(out.data(), out.data() + out.size(), v, std::chars_format::fixed, precision);
    out.resize(ec == std::errc{} ? static_cast<std::size_t>(end - out.data()) : 0);
    return out;
}

} // namespace vanemark
