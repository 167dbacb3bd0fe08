#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vanemark {

class ProfileFile;
class ProfileEdit;

// Colours are 0x00BBGGRR (red in the low byte), the layout the settings
// files store as decimal integers.
using Colour = std::int32_t;

// The six colours of the panel, in the order of the Color settings page.
struct PanelColours {
    enum Role : std::size_t { Background = 0, Instruments, FlapsMarks, PitchUp, PitchDown, Stick, RoleCount };

    std::array<Colour, RoleCount> colour{0x000000, 0xC0FFC0, 0xC2C2C2, 0x808080, 0x80FF80, 0x00FF00};

    Colour& operator[](Role role) { return colour[role]; }
    Colour operator[](Role role) const { return colour[role]; }
    friend bool operator==(const PanelColours&, const PanelColours&) = default;
};

namespace settings {

// The key of each role in Vanemark.ini.
inline constexpr std::array<std::string_view, PanelColours::RoleCount> kColourKeys{
    "bkcolor", "grid color", "flaps color", "pitch color", "pitch down", "stick color"};

// Missing keys give the defaults of PanelColours.
PanelColours ReadColours(ProfileFile& profile);
void WriteColours(ProfileEdit& edit, const PanelColours& colours);

} // namespace settings
} // namespace vanemark
