#include "config/HandBindings.h"

#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vanemark::settings {

namespace {

constexpr auto kControlNames = std::to_array<std::string_view>(
    {"stick x", "stick y", "rudder", "power", "prop pitch", "brakes", "aileron trim", "elevator trim", "rudder trim"});
static_assert(kControlNames.size() == kHandControlCount);
constexpr auto kOriginNames = std::to_array<std::string_view>({"simulator", "joystick", "both"});
static_assert(kOriginNames.size() == static_cast<std::size_t>(HandOrigin::Both) + 1);
constexpr std::size_t kGuidDigits = 32;
constexpr std::string_view kInverted = "inverted";
constexpr std::string_view kNormal = "normal";

// Splits off the next word (up to a blank) of `rest`.
std::string_view NextWord(std::string_view& rest)
{
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

bool IsGuid(std::string_view text)
{
    return text.size() == kGuidDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

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
    const std::string_view guid = NextWord(rest);
    const std::string_view axisText = NextWord(rest);
    const std::string_view flags = NextWord(rest);
    AxisBinding binding;
    std::int32_t axis = -1;
    const auto [end, ec] = std::from_chars(axisText.data(), axisText.data() + axisText.size(), axis);
    if (!IsGuid(guid) || ec != std::errc{} || end != axisText.data() + axisText.size() || axis < 0 ||
        (flags != kInverted && flags != kNormal)) {
        return binding;
    }
    const std::size_t nameStart = rest.find_first_not_of(' ');
    binding.device.guid = std::string(guid);
    // SDL spells GUIDs in lower case; a hand-edited upper-case one is the same device.
    std::transform(binding.device.guid.begin(), binding.device.guid.end(), binding.device.guid.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    binding.device.name = nameStart == std::string_view::npos ? std::string() : std::string(rest.substr(nameStart));
    binding.axis = axis;
    binding.invert = flags == kInverted;
    return binding;
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
    return bindings;
}

void WriteHandBindings(ProfileEdit& edit, const HandBindings& bindings)
{
    for (std::size_t i = 0; i < kHandControlCount; ++i) {
        const auto control = static_cast<HandControl>(i);
        edit.Set(kSection, AxisKey(control), AxisBindingText(bindings.axes[i]));
        edit.Set(kSection, OriginKey(control), HandOriginName(bindings.origins[i]));
    }
}

} // namespace vanemark::settings
