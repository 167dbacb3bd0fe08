#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Locale-independent number conversions. Files and the wire always use a
// point as decimal separator, whatever locale the process runs in.
namespace vanemark {

// Leading white space, optional sign, digits up to the first non-digit;
// 0 without digits. Saturates at the int32 range instead of overflowing.
std::int32_t ParseInt(std::string_view text);

// Leading white space, then the longest valid decimal floating-point prefix;
// 0.0 without one. Out-of-range values give +-HUGE_VAL or a signed zero.
double ParseDouble(std::string_view text);

// "%d"
std::string FormatInt(std::int32_t v);

// "%.*f": a negative precision means 6, as in printf.
std::string FormatFixed(double v, int precision);

} // namespace vanemark
