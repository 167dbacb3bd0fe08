#include "config/CommandBindings.h"

#include "config/DeviceText.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

#include <algorithm>
#include <utility>

namespace vanemark::settings {

namespace {

constexpr auto kCommandNames =
    std::to_array<std::string_view>({"show hide", "lock", "record", "scale up", "scale down", "hand marks"});
static_assert(kCommandNames.size() == kCommandCount);

constexpr std::string_view kButton = "button";
constexpr std::string_view kHat = "hat";
constexpr std::array<std::pair<ButtonBinding::Hat, std::string_view>, 4> kHatNames{{{ButtonBinding::Up, "up"},
                                                                                    {ButtonBinding::Right, "right"},
                                                                                    {ButtonBinding::Down, "down"},
                                                                                    {ButtonBinding::Left, "left"}}};

// A hand-typed combination longer than any real one is no combination.
constexpr std::size_t kHotkeyChars = 64;

std::string Key(Command command, std::string_view what)
{
    return std::string(CommandKeyName(command)) + " " + std::string(what);
}

} // namespace

bool CommandBindings::AnyButton() const
{
    return std::any_of(buttons.begin(), buttons.end(), [](const ButtonBinding& button) { return button.Bound(); });
}

std::string_view CommandKeyName(Command command)
{
    return kCommandNames[static_cast<std::size_t>(command)];
}

std::string ButtonBindingText(const ButtonBinding& binding)
{
    if (!binding.Bound()) {
        return {};
    }
    std::string text = binding.device.guid;
    text.append(" ").append(binding.hat == ButtonBinding::NoHat ? kButton : kHat);
    text.append(" ").append(std::to_string(binding.index));
    for (const auto& [hat, name] : kHatNames) {
        if (hat == binding.hat) {
            text.append(" ").append(name);
        }
    }
    if (!binding.device.name.empty()) {
        text.append(" ").append(binding.device.name);
    }
    return text;
}

ButtonBinding ParseButtonBinding(std::string_view text)
{
    std::string_view rest = text;
    const std::optional<std::string> guid = ParseGuid(TakeWord(rest));
    const std::string_view kind = TakeWord(rest);
    const std::optional<std::int32_t> index = ParseIndex(TakeWord(rest));
    if (!guid || !index || (kind != kButton && kind != kHat)) {
        return {};
    }
    ButtonBinding binding;
    if (kind == kHat) {
        const std::string_view direction = TakeWord(rest);
        const auto* found = std::find_if(kHatNames.begin(), kHatNames.end(),
                                         [direction](const auto& entry) { return entry.second == direction; });
        if (found == kHatNames.end()) {
            return {};
        }
        binding.hat = found->first;
    }
    binding.device = {*guid, NameAfter(rest)};
    binding.index = *index;
    return binding;
}

CommandBindings ReadCommandBindings(ProfileFile& profile)
{
    CommandBindings bindings;
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        std::string hotkey = profile.GetString(kSection, Key(command, "hotkey"), "", kTextBuffer);
        bindings.hotkeys[i] = hotkey.size() <= kHotkeyChars ? std::move(hotkey) : std::string();
        bindings.buttons[i] = ParseButtonBinding(profile.GetString(kSection, Key(command, "button"), "", kTextBuffer));
    }
    return bindings;
}

void WriteCommandBindings(ProfileEdit& edit, const CommandBindings& bindings)
{
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        edit.Set(kSection, Key(command, "hotkey"), bindings.hotkeys[i]);
        edit.Set(kSection, Key(command, "button"), ButtonBindingText(bindings.buttons[i]));
    }
}

} // namespace vanemark::settings
