#pragma once

#include "config/CommandBindings.h"
#include "joystick/JoystickSource.h"

#include <optional>
#include <vector>

namespace vanemark {

// "Press the button now": the first button (or hat direction) of any device
// that goes down after the learner started. Whatever was held at the start
// counts only once it has been let go and pressed again, so a button the
// pilot rests a finger on is not taken by mistake.
class ButtonLearner {
public:
    static constexpr std::uint32_t kWindowMs = 5000;

    // Notes what is held now (the source already updated).
    explicit ButtonLearner(const JoystickSource& source);
    // One look at the source (already updated): the button pressed since, if any.
    std::optional<settings::ButtonBinding> Watch(const JoystickSource& source);

private:
    std::vector<settings::ButtonBinding> held;
};

// Every button and hat direction of the attached devices, held or not.
std::vector<settings::ButtonBinding> AllButtons(const JoystickSource& source);

} // namespace vanemark
