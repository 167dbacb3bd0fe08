#pragma once

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

protected:
    JoystickSource() = default;
    JoystickSource(const JoystickSource&) = default;
    JoystickSource& operator=(const JoystickSource&) = default;
};

// A raw position as the panel's -1 ... 1, the other way round when inverted.
double AxisValue(std::int16_t raw, bool invert);

} // namespace vanemark
