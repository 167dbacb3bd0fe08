#include "config/HandBindings.h"

#include "config/DeviceText.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

#include <algorithm>

namespace vanemark::settings {

namespace {

constexpr auto kControlNames = std::to_array<std::string_view>(
    {"stick x", "stick y", "rudder", "power", "prop pitch", "brakes", "aileron trim", "elevator trim", "rudder trim"});
static_assert(kControlNames.size() == kHandControlCount);
constexpr auto kOriginNames = std::to_array<std::string_view>({"simulator", "joystick", "both"});
static_assert(kOriginNames.size() == static_cast<std::size_t>(HandOrigin::Both) + 1);
constexpr std::string_view kInverted = "inverted";
constexpr std::string_view kNormal = "normal";

std::string AxisKey(HandControl control)
{
    return "hand " + std::string(HandControlKeyName(control));
}

std::string OriginKey(HandControl control)
{
    return std::string(HandControlKeyName(control)) + " from";
}

} // namespace

bool HandBindings::AnyBound() const
{
    return std::any_of(axes.begin(), axes.end(), [](const AxisBinding& axis) { return axis.Bound(); });
}

std::string_view HandControlKeyName(HandControl control)
{
    return kControlNames[static_cast<std::size_t>(control)];
}

std::string_view HandOriginName(HandOrigin origin)
{
    return kOriginNames[static_cast<std::size_t>(origin)];
}

std::optional<HandOrigin> ParseHandOrigin(std::string_view text)
{
    for (std::size_t i = 0; i < kOriginNames.size(); ++i) {
        if (text == kOriginNames[i]) {
            return static_cast<HandOrigin>(i);
        }
    }
    return std::nullopt;
}

std::string AxisBindingText(const AxisBinding& binding)
{
    if (!binding.Bound()) {
        return {};
    }
    std::string text = binding.device.guid;
    text.append(" ").append(std::to_string(binding.axis));
    text.append(" ").append(binding.invert ? kInverted : kNormal);
    if (!binding.device.name.empty()) {
        text.append(" ").append(binding.device.name);
    }
    return text;
}

AxisBinding ParseAxisBinding(std::string_view text)
{
    std::string_view rest = text;
    const std::optional<std::string> guid = ParseGuid(TakeWord(rest));
    const std::optional<std::int32_t> axis = ParseIndex(TakeWord(rest));
    const std::string_view flags = TakeWord(rest);
    if (!guid || !axis || (flags != kInverted && flags != kNormal)) {
        return {};
    }
    return AxisBinding{{*guid, NameAfter(rest)}, *axis, flags == kInverted};
}

HandBindings ReadHandBindings(ProfileFile& profile)
{
    HandBindings bindings;
    for (std::size_t i = 0; i < kHandControlCount; ++i) {
        const auto control = static_cast<HandControl>(i);
        bindings.axes[i] = ParseAxisBinding(profile.GetString(kSection, AxisKey(control), "", kTextBuffer));
        const std::string origin = profile.GetString(kSection, OriginKey(control), "", kTextBuffer);
        bindings.origins[i] = ParseHandOrigin(origin).value_or(HandOrigin::Both);
    }
    bindings.showMarks = profile.GetInt(kSection, kHandMarkersKey, 1) != 0;
    return bindings;
}

void WriteHandBindings(ProfileEdit& edit, const HandBindings& bindings)
{
    for (std::size_t i = 0; i < kHandControlCount; ++i) {
        const auto control = static_cast<HandControl>(i);
        edit.Set(kSection, AxisKey(control), AxisBindingText(bindings.axes[i]));
        edit.Set(kSection, OriginKey(control), HandOriginName(bindings.origins[i]));
    }
    edit.SetInt(kSection, kHandMarkersKey, bindings.showMarks ? 1 : 0);
}

} // namespace vanemark::settings
