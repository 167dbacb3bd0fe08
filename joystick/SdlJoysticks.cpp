#include "joystick/SdlJoysticks.h"

#include <SDL.h>

#include <algorithm>
#include <array>

namespace vanemark {

namespace {

settings::DeviceId IdOf(SDL_Joystick* joystick)
{
    std::array<char, 33> guid{};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick), guid.data(), static_cast<int>(guid.size()));
    const char* name = SDL_JoystickName(joystick);
    return {guid.data(), name != nullptr ? name : ""};
}

// Set before SDL starts; each holds for the life of the process.
void SetHints()
{
    // The simulator has the focus while the pilot flies.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // SIGINT and SIGTERM stay the application's: it saves the window's place on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Devices are read in the cycle; SDL's own thread for them would wake the
    // process on its own schedule.
    SDL_SetHint(SDL_HINT_JOYSTICK_THREAD, "0");
}

} // namespace

struct SdlJoysticks::Open_ {
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID instance = -1;
    JoystickInfo info;

    ~Open_()
    {
        if (joystick != nullptr) {
            SDL_JoystickClose(joystick);
        }
    }
};

SdlJoysticks::SdlJoysticks() = default;

std::unique_ptr<SdlJoysticks> SdlJoysticks::Open(std::string* error)
{
    SetHints();
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        if (error != nullptr) {
            *error = SDL_GetError();
        }
        return nullptr;
    }
    // Not through SDL's event queue: nothing else here would drain it, and
    // the readings are asked for directly.
    SDL_JoystickEventState(SDL_IGNORE);
    std::unique_ptr<SdlJoysticks> joysticks(new SdlJoysticks);
    joysticks->Update();
    return joysticks;
}

SdlJoysticks::~SdlJoysticks()
{
    open.clear();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlJoysticks::Update()
{
    // Notices devices plugged in and pulled, and takes in every axis's latest position.
    SDL_JoystickUpdate();
    std::erase_if(open,
                  [](const std::unique_ptr<Open_>& device) { return !SDL_JoystickGetAttached(device->joystick); });
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(index);
        const bool known = std::any_of(open.begin(), open.end(), [instance](const std::unique_ptr<Open_>& device) {
            return device->instance == instance;
        });
        if (known || instance < 0) {
            continue;
        }
        SDL_Joystick* joystick = SDL_JoystickOpen(index);
        if (joystick == nullptr) {
            continue; // another program holds it exclusively, or it went again
        }
        auto device = std::make_unique<Open_>();
        device->joystick = joystick;
        device->instance = instance;
        device->info.id = IdOf(joystick);
        device->info.axes = std::max(0, SDL_JoystickNumAxes(joystick));
        device->info.buttons = std::max(0, SDL_JoystickNumButtons(joystick));
        device->info.hats = std::max(0, SDL_JoystickNumHats(joystick));
        open.push_back(std::move(device));
    }
    std::sort(open.begin(), open.end(), [](const std::unique_ptr<Open_>& a, const std::unique_ptr<Open_>& b) {
        return a->instance < b->instance;
    });
}

std::vector<JoystickInfo> SdlJoysticks::Devices() const
{
    std::vector<JoystickInfo> devices;
    devices.reserve(open.size());
    for (const auto& device : open) {
        devices.push_back(device->info);
    }
    return devices;
}

const SdlJoysticks::Open_* SdlJoysticks::Find(const settings::DeviceId& device) const
{
    for (const auto& candidate : open) {
        if (candidate->info.id == device) {
            return candidate.get();
        }
    }
    return nullptr;
}

std::optional<std::int16_t> SdlJoysticks::Axis(const settings::DeviceId& device, std::int32_t axis) const
{
    const Open_* found = Find(device);
    if (found == nullptr || axis < 0 || axis >= found->info.axes) {
        return std::nullopt;
    }
    return SDL_JoystickGetAxis(found->joystick, axis);
}

std::optional<bool> SdlJoysticks::Button(const settings::DeviceId& device, std::int32_t button) const
{
    const Open_* found = Find(device);
    if (found == nullptr || button < 0 || button >= found->info.buttons) {
        return std::nullopt;
    }
    return SDL_JoystickGetButton(found->joystick, button) != 0;
}

std::optional<std::uint8_t> SdlJoysticks::Hat(const settings::DeviceId& device, std::int32_t hat) const
{
    const Open_* found = Find(device);
    if (found == nullptr || hat < 0 || hat >= found->info.hats) {
        return std::nullopt;
    }
    // SDL's hat bits are the binding's: up 1, right 2, down 4, left 8.
    return SDL_JoystickGetHat(found->joystick, hat);
}

} // namespace vanemark
