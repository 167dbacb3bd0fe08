// Number conversions against the C library in the C locale: whatever the
// text, ParseDouble and ParseInt read what strtod and a saturated strtoll
// read, and the formatters write what printf writes.
#include "FuzzCheck.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool SameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// Nothing that feeds these readers writes hexadecimal floats, and
// ParseDouble deliberately does not read them.
bool OnlyDecimal(const std::string& text)
{
    return text.find_first_of("xX") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string cText(text.c_str()); // the C functions stop at a NUL, as the readers do

    if (OnlyDecimal(cText)) {
        FUZZ_CHECK(
            SameDouble(vanemark::ParseDouble(text.substr(0, cText.size())), std::strtod(cText.c_str(), nullptr)));
    }
    errno = 0;
    const long long wide = std::strtoll(cText.c_str(), nullptr, 10);
    const auto saturated = static_cast<std::int32_t>(std::clamp<long long>(wide, INT32_MIN, INT32_MAX));
    FUZZ_CHECK(vanemark::ParseInt(text.substr(0, cText.size())) == saturated);

    if (size >= sizeof(double) + 1) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        const int precision = static_cast<int>(data[sizeof value] % 40) - 4; // negative means 6
        char expected[512];
        std::snprintf(expected, sizeof expected, "%.*f", precision < 0 ? 6 : precision, value);
        if (std::strlen(expected) < sizeof expected - 1) {
            FUZZ_CHECK(vanemark::FormatFixed(value, precision) == expected);
        }
        std::int32_t integer = 0;
        std::memcpy(&integer, data, sizeof integer);
        FUZZ_CHECK(vanemark::FormatInt(integer) == std::to_string(integer));
    }
    return 0;
}
