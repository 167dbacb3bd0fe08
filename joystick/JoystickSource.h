#pragma once

#include "config/CommandBindings.h"
#include "config/HandBindings.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vanemark {

// One joystick the system has attached now.
struct JoystickInfo {
    settings::DeviceId id;
    std::int32_t axes = 0;
    std::int32_t buttons = 0;
    std::int32_t hats = 0;
};

// The joysticks of the machine, read when asked: nothing here wakes the
// process by itself. Update() takes in what happened since the last call
// (devices plugged in or pulled, axes moved); the readings hold still
// between calls.
class JoystickSource {
public:
    virtual ~JoystickSource() = default;

    virtual void Update() = 0;
    // In the order the system attached them.
    virtual std::vector<JoystickInfo> Devices() const = 0;
    // An axis's raw position, -32768 ... 32767; nothing while the device is
    // away or has no such axis. Two attached devices with one id: the first.
    virtual std::optional<std::int16_t> Axis(const settings::DeviceId& device, std::int32_t axis) const = 0;
    // Whether a button is held; nothing while the device is away or has no such button.
    virtual std::optional<bool> Button(const settings::DeviceId& device, std::int32_t button) const = 0;
    // The directions a hat is pushed, as ButtonBinding's Up | Right | Down | Left.
    virtual std::optional<std::uint8_t> Hat(const settings::DeviceId& device, std::int32_t hat) const = 0;

protected:
    JoystickSource() = default;
    JoystickSource(const JoystickSource&) = default;
    JoystickSource& operator=(const JoystickSource&) = default;
};

// Whether the button is held, or the hat pushed the binding's way.
bool IsDown(const JoystickSource& source, const settings::ButtonBinding& binding);

// A raw position as the panel's -1 ... 1, the other way round when inverted.
double AxisValue(std::int16_t raw, bool invert);

} // namespace vanemark
