#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace vanemark::test {

// A joystick that exists only inside SDL: attached, moved and pulled out by
// the test, seen by everything that reads joysticks through SDL as a device
// of the machine. Its GUID follows from its name, vendor and product, so a
// second one made alike is the same device plugged in again.
class VirtualJoystick {
public:
    explicit VirtualJoystick(std::string name, int axes = 4, std::uint16_t product = 0x5601) : name(std::move(name))
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_FLIGHT_STICK;
        desc.naxes = static_cast<Uint16>(axes);
        desc.nbuttons = 4;
        desc.nhats = 1;
        desc.vendor_id = 0x1209; // pid.codes, for test devices
        desc.product_id = product;
        desc.name = this->name.c_str();
        const int index = started ? SDL_JoystickAttachVirtualEx(&desc) : -1;
        if (index >= 0) {
            instance = SDL_JoystickGetDeviceInstanceID(index);
            handle = SDL_JoystickOpen(index);
        }
    }
    ~VirtualJoystick()
    {
        Unplug();
        if (started) {
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        }
    }
    VirtualJoystick(const VirtualJoystick&) = delete;
    VirtualJoystick& operator=(const VirtualJoystick&) = delete;

    bool Attached() const { return handle != nullptr; }
    std::string Guid() const
    {
        char text[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(handle), text, sizeof text);
        return text;
    }
    const std::string& Name() const { return name; }
    // Takes effect at the next SDL_JoystickUpdate, as a real device's move would.
    void SetAxis(int axis, std::int16_t value) { SDL_JoystickSetVirtualAxis(handle, axis, value); }
    void SetButton(int button, bool down) { SDL_JoystickSetVirtualButton(handle, button, down ? 1 : 0); }
    // SDL_HAT_UP, ..., or SDL_HAT_CENTERED.
    void SetHat(std::uint8_t directions) { SDL_JoystickSetVirtualHat(handle, 0, directions); }
    void Unplug()
    {
        if (handle == nullptr) {
            return;
        }
        SDL_JoystickClose(handle);
        handle = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == instance) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
    }

private:
    std::string name;
    bool started = false;
    SDL_JoystickID instance = -1;
    SDL_Joystick* handle = nullptr;
};

} // namespace vanemark::test
