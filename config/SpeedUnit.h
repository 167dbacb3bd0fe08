#pragma once

#include <string>
#include <string_view>

namespace vanemark::settings {

// The unit of the speed read-out. DeviceLink always sends km/h; the pilot
// may read it the way the aircraft's own instruments show it.
enum class SpeedUnit { Kmh, Mph, Kts };

// The "speed unit" value: "kmh", "mph" or "kts", in any letter case; anything
// else is a damaged file and reads as km/h, which shows what the link sends.
SpeedUnit ParseSpeedUnit(std::string_view value);
// The value "speed unit" stores, which is also the text after the number.
std::string_view SpeedUnitName(SpeedUnit unit);

// "%d kmh" (or mph, kts) of the speed converted from km/h, truncated toward
// zero; a value beyond 32 bits saturates and NaN shows as 0, as the link can
// send anything.
std::string FormatSpeed(double kmh, SpeedUnit unit = SpeedUnit::Kmh);

} // namespace vanemark::settings
