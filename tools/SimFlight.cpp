#include "tools/SimFlight.h"

#include "core/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vanemark {

namespace {

double Wrap360(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0.0 ? wrapped + 360.0 : wrapped;
}

// Flaps rest in each position for a few seconds: up, combat, take-off, landing.
double FlapsAt(double t)
{
    constexpr double positions[] = {-1.0, -0.6, -0.34, 1.0, -0.34, -0.6};
    const auto step = static_cast<long long>(std::floor(t / 4.0));
    return positions[static_cast<std::size_t>(step % 6)];
}

} // namespace

std::optional<double> SimFlight::Number(int id, int index, double t)
{
    using std::cos;
    using std::sin;
    constexpr double pi = std::numbers::pi;
    if (IsPerEngine(id)) {
        if (index < 0 || index >= kEngines) {
            return std::nullopt;
        }
        switch (id) {
        case 62:
            return 3.0;
        case 64:
            return 2400.0 + 250.0 * sin(t / 10.0);
        case 66:
            return 1.15 + 0.1 * sin(t / 10.0);
        case 68:
            return 70.0 + 3.0 * sin(t / 30.0);
        case 70:
            return 85.0 + 4.0 * sin(t / 30.0);
        case 72:
            return 90.0 + 5.0 * sin(t / 25.0);
        default:
            return 210.0 + 10.0 * sin(t / 20.0);
        }
    }
    switch (id) {
    case 24:
        return 1.0;
    case 26:
        return 0.0;
    case 28:
        return static_cast<double>(kEngines);
    case 30:
        return 320.0 + 90.0 * sin(t / 7.0);
    case 32:
        return 6.0 * cos(t / 9.0);
    case 34:
        return 8.0 * sin(t / 3.0);
    case 36:
        return 0.5 * sin(t / 5.0);
    case 38:
        return 12.0 * sin(t / 5.0);
    case 40:
        return 1500.0 + 300.0 * sin(t / 9.0);
    case 42:
        return Wrap360(90.0 + 3.0 * t);
    case 44:
        return Wrap360(200.0 - 2.0 * t);
    case 46:
        return 35.0 * sin(t / 4.0);
    case 48:
        return 10.0 * sin(t / 6.0);
    case 50:
        return std::max(0.0, 420.0 - 0.25 * t);
    case 52:
        return 1.0 + 0.8 * sin(t / 2.0);
    case 54: // no shake
    case 56: // gear up
    case 58:
    case 60:
        return 0.0;
    case 80:
        return 0.55 + 0.4 * sin(t / 10.0);
    case 82:
        return FlapsAt(t);
    case 84:
        return 0.7 * cos(2.0 * pi * t / 6.0);
    case 86:
        return 0.7 * sin(2.0 * pi * t / 6.0);
    case 88:
        return 0.6 * sin(t / 2.5);
    case 90:
        return std::min(1.0, -1.0 + 3.0 * std::max(0.0, sin(t / 5.0) - 0.5));
    case 92:
        return 0.2 + 0.6 * sin(t / 12.0);
    case 94:
        return 0.4 * sin(t / 11.0);
    case 96:
        return 0.3 * sin(t / 13.0);
    case 98:
        return 0.2 * sin(t / 17.0);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> SimFlight::Value(int id, int index, double seconds) const
{
    switch (id) {
    case 2:
        return std::string(kVersion);
    case 20:
        return PrintClock(static_cast<float>(std::fmod(10.0 + seconds / 60.0, 24.0))); // a minute per second
    case 22:
        return std::string(
            kAircraftNames[static_cast<std::size_t>(std::floor(seconds / kAircraftSeconds)) % kAircraftNames.size()]);
    default:
        break;
    }
    const auto number = Number(id, index, seconds);
    if (!number) {
        return std::nullopt;
    }
    return id == 24 || id == 26 || id == 28 || id == 62 ? FormatFixed(*number, 0) : Print(*number);
}

std::string SimFlight::Print(double value)
{
    constexpr double kIntRange = 2147483648.0; // 2^31
    if (std::isnan(value)) {
        return "0.00";
    }
    std::string text(value < 0.0 ? "-" : "");
    const double magnitude = std::fabs(value);
    if (magnitude >= kIntRange) {
        return text.append("2147483647.2147483647");
    }
    const auto whole = static_cast<std::int32_t>(magnitude);
    const auto cents = static_cast<std::int32_t>(std::lround((magnitude - whole) * 100.0));
    text.append(FormatInt(whole)).push_back('.');
    if (cents < 10) {
        text.push_back('0');
    }
    return text.append(FormatInt(cents));
}

std::string SimFlight::PrintClock(float hours)
{
    if (std::isnan(hours)) {
        return "NaN";
    }
    std::string text(std::signbit(hours) ? "-" : "");
    if (std::isinf(hours)) {
        return text.append("Infinity");
    }
    if (hours == 0.0F) {
        return text.append("0.0");
    }
    // to_chars gives the shortest digits as "d.ddde-XX"; they are laid out anew.
    std::array<char, 32> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(hours), std::chars_format::scientific);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    std::string digits(scientific.substr(0, 1));
    if (e > 2) {
        digits.append(scientific.substr(2, e - 2));
    }
    const int exponent = ParseInt(scientific.substr(e + 1));
    if (exponent >= -3 && exponent < 7) {
        if (exponent < 0) {
            return text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
        }
        const auto point = static_cast<std::size_t>(exponent) + 1;
        digits.resize(std::max(digits.size(), point + 1), '0'); // at least one digit after the point
        return text.append(digits, 0, point).append(".").append(digits, point);
    }
    if (digits.size() == 1) {
        digits.push_back('0');
    }
    return text.append(digits, 0, 1).append(".").append(digits, 1).append("E").append(FormatInt(exponent));
}

} // namespace vanemark
