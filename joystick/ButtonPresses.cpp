#include "joystick/ButtonPresses.h"

#include <utility>

namespace vanemark {

using settings::ButtonBinding;

ButtonPresses::ButtonPresses(std::vector<ButtonBinding> watched)
    : bindings(std::move(watched)), down(bindings.size(), false)
{
}

std::vector<std::size_t> ButtonPresses::Watch(const JoystickSource& source)
{
    std::vector<std::size_t> pressed;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const bool now = bindings[i].Bound() && IsDown(source, bindings[i]);
        if (now && !down[i] && !first) {
            pressed.push_back(i);
        }
        down[i] = now;
    }
    first = false;
    return pressed;
}

} // namespace vanemark
