#include "joystick/JoystickSource.h"

#include <algorithm>

namespace vanemark {

bool IsDown(const JoystickSource& source, const settings::ButtonBinding& binding)
{
    if (binding.hat == settings::ButtonBinding::NoHat) {
        return source.Button(binding.device, binding.index).value_or(false);
    }
    return (source.Hat(binding.device, binding.index).value_or(0) & binding.hat) != 0;
}

double AxisValue(std::int16_t raw, bool invert)
{
    // -32768 and 32767 are the two ends; the middle lies half a step off
    // zero, which no panel can show.
    const double value = std::clamp((static_cast<double>(raw) + 0.5) / 32767.5, -1.0, 1.0);
    return invert ? -value : value;
}

} // namespace vanemark
