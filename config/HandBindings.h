#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanemark {

class ProfileFile;
class ProfileEdit;

namespace settings {

// The controls a pilot's hand moves that a joystick axis can stand for, in
// the order the Controls page lists them.
enum class HandControl : std::uint8_t {
    StickX,
    StickY,
    Rudder,
    Power,
    Prop,
    Brakes,
    AileronTrim,
    ElevatorTrim,
    RudderTrim
};
inline constexpr std::size_t kHandControlCount = static_cast<std::size_t>(HandControl::RudderTrim) + 1;

// Where the panel takes a control's value from. With both, the simulator's
// value is drawn as always and the hand's beside it; while the simulator
// says nothing, the hand's value is drawn in its place.
enum class HandOrigin : std::uint8_t { Simulator, Joystick, Both };

// A joystick as the system names it. The GUID says what kind of device it
// is (bus, maker, product) and stays the same in any USB port; the name
// tells two of one kind from different models that share a GUID.
struct DeviceId {
    std::string guid; // 32 hex digits
    std::string name;
    bool Empty() const { return guid.empty(); }
    friend bool operator==(const DeviceId&, const DeviceId&) = default;
};

// One control's axis: which device, which of its axes, and whether it runs
// the other way round. No device means the control has no axis.
struct AxisBinding {
    DeviceId device;
    std::int32_t axis = 0;
    bool invert = false;
    bool Bound() const { return !device.Empty(); }
    friend bool operator==(const AxisBinding&, const AxisBinding&) = default;
};

// What the Controls page edits.
struct HandBindings {
    std::array<AxisBinding, kHandControlCount> axes{};
    std::array<HandOrigin, kHandControlCount> origins = DefaultOrigins();
    // Whether the hand is marked beside the simulator's values ("Both").
    bool showMarks = true;

    const AxisBinding& Axis(HandControl control) const { return axes[static_cast<std::size_t>(control)]; }
    AxisBinding& Axis(HandControl control) { return axes[static_cast<std::size_t>(control)]; }
    HandOrigin Origin(HandControl control) const { return origins[static_cast<std::size_t>(control)]; }
    // Whether any control has an axis: without one no joystick is read at all.
    bool AnyBound() const;
    friend bool operator==(const HandBindings&, const HandBindings&) = default;

    static constexpr std::array<HandOrigin, kHandControlCount> DefaultOrigins()
    {
        std::array<HandOrigin, kHandControlCount> all{};
        all.fill(HandOrigin::Both);
        return all;
    }
};

// The control's name in the settings file and the recording ("stick x",
// "prop pitch"): plain ASCII, never translated.
std::string_view HandControlKeyName(HandControl control);
std::string_view HandOriginName(HandOrigin origin);
std::optional<HandOrigin> ParseHandOrigin(std::string_view text);

// "GUID AXIS FLAGS NAME", e.g. "030000005e0400008e02000010010000 2 inverted Xbox Controller";
// FLAGS is "inverted" or "normal". Empty for a control without an axis.
std::string AxisBindingText(const AxisBinding& binding);
// Anything malformed (a GUID that is not 32 hex digits, a negative or
// missing axis) reads as no axis.
AxisBinding ParseAxisBinding(std::string_view text);

// Keys "hand stick x" ... (the axis), "stick x from" ... (the origin) and
// "hand markers"; missing keys leave the control without an axis, drawn from
// both, with the marks shown.
HandBindings ReadHandBindings(ProfileFile& profile);
void WriteHandBindings(ProfileEdit& edit, const HandBindings& bindings);

} // namespace settings
} // namespace vanemark
