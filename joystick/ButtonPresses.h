#pragma once

#include "config/CommandBindings.h"
#include "joystick/JoystickSource.h"

#include <cstddef>
#include <vector>

namespace vanemark {

// Each button of a set of bindings, pressed: a binding counts once when it
// goes down, however long it is held.
class ButtonPresses {
public:
    explicit ButtonPresses(std::vector<settings::ButtonBinding> watched);
    // One look at the source (already updated): the indexes of the bindings
    // that went down since the last look. A button held when the watch began
    // is not a press.
    std::vector<std::size_t> Watch(const JoystickSource& source);

private:
    std::vector<settings::ButtonBinding> bindings;
    std::vector<bool> down;
    bool first = true;
};

} // namespace vanemark
