#pragma once

#include "joystick/JoystickSource.h"

#include <memory>
#include <string>
#include <vector>

namespace vanemark {

// Every joystick, through SDL's joystick subsystem alone: SDL opens no
// window, installs no signal handler, and reads devices whichever window
// has the focus. Each attached device is kept open; a device pulled out is
// closed and forgotten, and one plugged in is opened on the next Update().
// Use from one thread.
class SdlJoysticks final : public JoystickSource {
public:
    // Starts SDL's joystick subsystem; nullptr with the reason in *error
    // where it cannot start (no SDL, no permission). Several may be open at
    // once: SDL counts them.
    static std::unique_ptr<SdlJoysticks> Open(std::string* error = nullptr);
    ~SdlJoysticks() override;
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;

    void Update() override;
    std::vector<JoystickInfo> Devices() const override;
    std::optional<std::int16_t> Axis(const settings::DeviceId& device, std::int32_t axis) const override;
    std::optional<bool> Button(const settings::DeviceId& device, std::int32_t button) const override;
    std::optional<std::uint8_t> Hat(const settings::DeviceId& device, std::int32_t hat) const override;

private:
    SdlJoysticks();
    struct Open_;
    const Open_* Find(const settings::DeviceId& device) const;
    std::vector<std::unique_ptr<Open_>> open;
};

} // namespace vanemark
