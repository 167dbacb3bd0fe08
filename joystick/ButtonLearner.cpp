#include "joystick/ButtonLearner.h"

#include <algorithm>
#include <utility>

namespace vanemark {

using settings::ButtonBinding;

std::vector<ButtonBinding> AllButtons(const JoystickSource& source)
{
    std::vector<ButtonBinding> all;
    for (const JoystickInfo& device : source.Devices()) {
        for (std::int32_t button = 0; button < device.buttons; ++button) {
            all.push_back({device.id, button, ButtonBinding::NoHat});
        }
        for (std::int32_t hat = 0; hat < device.hats; ++hat) {
            for (const auto direction :
                 {ButtonBinding::Up, ButtonBinding::Right, ButtonBinding::Down, ButtonBinding::Left}) {
                all.push_back({device.id, hat, direction});
            }
        }
    }
    return all;
}

ButtonLearner::ButtonLearner(const JoystickSource& source)
{
    for (ButtonBinding& button : AllButtons(source)) {
        if (IsDown(source, button)) {
            held.push_back(std::move(button));
        }
    }
}

std::optional<ButtonBinding> ButtonLearner::Watch(const JoystickSource& source)
{
    std::erase_if(held, [&source](const ButtonBinding& button) { return !IsDown(source, button); });
    for (ButtonBinding& button : AllButtons(source)) {
        if (IsDown(source, button) && std::find(held.begin(), held.end(), button) == held.end()) {
            return std::move(button);
        }
    }
    return std::nullopt;
}

} // namespace vanemark
