#pragma once

#include "config/SpeedUnit.h"

#include <cstdint>
#include <string>

namespace vanemark {

class ProfileFile;
class ProfileEdit;

namespace settings {

// What the "Window" settings page edits: how the overlay sits on the desktop.
struct OverlaySettings {
    std::int32_t scale = 1;     // whole-factor enlargement of the 1x panel
    std::int32_t opacity = 100; // percent, for the whole window
    SpeedUnit speedUnit = SpeedUnit::Kmh;
    bool hideIdle = false; // live mode: hidden while DeviceLink is disconnected
    friend bool operator==(const OverlaySettings&, const OverlaySettings&) = default;
};

// The panel font and title strip, which the Color page edits.
struct PanelFontSetting {
    std::string name;
    std::int32_t size = 0; // points
    bool showTitle = false;
    friend bool operator==(const PanelFontSetting&, const PanelFontSetting&) = default;
};

// Largest panel font read back, in points: a damaged file must not ask for
// glyphs larger than any panel could show.
inline constexpr std::int32_t kFontSizeMax = 500;

// Out-of-range numbers are held to the nearest allowed value, so a
// hand-edited "scale=9" still gives the largest window rather than none.
std::int32_t ClampScale(std::int32_t scale);
std::int32_t ClampOpacity(std::int32_t percent);

OverlaySettings ReadOverlaySettings(ProfileFile& profile);
void WriteOverlaySettings(ProfileEdit& edit, const OverlaySettings& overlay);
bool ReadLocked(ProfileFile& profile);

// Missing keys: "Courier New" 8 without the title strip; an empty name is the
// default face, a size below 1 the default size.
PanelFontSetting ReadPanelFont(ProfileFile& profile);

} // namespace settings
} // namespace vanemark
