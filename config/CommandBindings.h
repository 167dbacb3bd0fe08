#pragma once

#include "config/HandBindings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {

class ProfileFile;
class ProfileEdit;

namespace settings {

// What the pilot can do without the mouse, in the order the Commands page
// lists them. Each is the window's own action, as its menus run it.
enum class Command : std::uint8_t { ShowHide, Lock, Record, ScaleUp, ScaleDown, HandMarks };
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::HandMarks) + 1;

// A joystick button, or one direction of a hat (the small thumb switch on a
// HOTAS), that runs a command. No device means no button.
struct ButtonBinding {
    enum Hat : std::uint8_t { NoHat = 0, Up = 1, Right = 2, Down = 4, Left = 8 };

    DeviceId device;
    std::int32_t index = 0; // the button's number, or the hat's
    Hat hat = NoHat;        // a direction for a hat; NoHat for a button
    bool Bound() const { return !device.Empty(); }
    friend bool operator==(const ButtonBinding&, const ButtonBinding&) = default;
};

// What the Commands page edits: per command a key combination (as the key
// names it, "Ctrl+Alt+H"; empty for none) and a joystick button.
struct CommandBindings {
    std::array<std::string, kCommandCount> hotkeys{};
    std::array<ButtonBinding, kCommandCount> buttons{};

    bool AnyButton() const;
    friend bool operator==(const CommandBindings&, const CommandBindings&) = default;
};

// "show hide", "scale up", ...: plain ASCII, never translated.
std::string_view CommandKeyName(Command command);

// "GUID button N NAME" or "GUID hat N up|right|down|left NAME"; empty
// without a device. Anything malformed reads as no button.
std::string ButtonBindingText(const ButtonBinding& binding);
ButtonBinding ParseButtonBinding(std::string_view text);

// Keys "show hide hotkey", "show hide button", ... Nothing is bound by
// default: every binding is the user's choice.
CommandBindings ReadCommandBindings(ProfileFile& profile);
void WriteCommandBindings(ProfileEdit& edit, const CommandBindings& bindings);

} // namespace settings
} // namespace vanemark
