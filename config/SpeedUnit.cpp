#include "config/SpeedUnit.h"

#include "core/NumberText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vanemark::settings {

namespace {

struct UnitInfo {
    SpeedUnit unit;
    std::string_view name;
    double kmhPerUnit;
};

// International mile and nautical mile, both exact by definition.
constexpr std::array<UnitInfo, 3> kUnits{
    {{SpeedUnit::Kmh, "kmh", 1.0}, {SpeedUnit::Mph, "mph", 1.609344}, {SpeedUnit::Kts, "kts", 1.852}}};

const UnitInfo& Info(SpeedUnit unit)
{
    for (const UnitInfo& info : kUnits) {
        if (info.unit == unit) {
            return info;
        }
    }
    return kUnits[0];
}

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

SpeedUnit ParseSpeedUnit(std::string_view value)
{
    for (const UnitInfo& info : kUnits) {
        if (SameLetters(value, info.name)) {
            return info.unit;
        }
    }
    return SpeedUnit::Kmh;
}

std::string_view SpeedUnitName(SpeedUnit unit)
{
    return Info(unit).name;
}

std::string FormatSpeed(double kmh, SpeedUnit unit)
{
    const UnitInfo& info = Info(unit);
    // km/h itself is shown undivided, so the default read-out is exactly what it always was.
    const double speed = info.kmhPerUnit == 1.0 ? kmh : kmh / info.kmhPerUnit;
    std::int32_t shown = 0;
    if (std::isnan(speed)) {
        shown = 0;
    } else if (speed >= 2147483647.0) {
        shown = std::numeric_limits<std::int32_t>::max();
    } else if (speed <= -2147483648.0) {
        shown = std::numeric_limits<std::int32_t>::min();
    } else {
        shown = static_cast<std::int32_t>(speed);
    }
    std::string text = FormatInt(shown);
    text.append(" ").append(info.name);
    return text;
}

} // namespace vanemark::settings
