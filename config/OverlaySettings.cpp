#include "config/OverlaySettings.h"

#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

#include <algorithm>

namespace vanemark::settings {

std::int32_t ClampScale(std::int32_t scale)
{
    return std::clamp(scale, kScaleMin, kScaleMax);
}

std::int32_t ClampOpacity(std::int32_t percent)
{
    return std::clamp(percent, kOpacityMin, kOpacityMax);
}

OverlaySettings ReadOverlaySettings(ProfileFile& profile)
{
    OverlaySettings overlay;
    overlay.scale = ClampScale(profile.GetInt(kSection, kScaleKey, kScaleDefault));
    overlay.opacity = ClampOpacity(profile.GetInt(kSection, kOpacityKey, kOpacityDefault));
    overlay.speedUnit = ParseSpeedUnit(profile.GetString(kSection, kSpeedUnitKey, kSpeedUnitDefault, kTextBuffer));
    overlay.hideIdle = profile.GetInt(kSection, kHideIdleKey, 0) != 0;
    return overlay;
}

void WriteOverlaySettings(ProfileEdit& edit, const OverlaySettings& overlay)
{
    edit.SetInt(kSection, kScaleKey, overlay.scale);
    edit.SetInt(kSection, kOpacityKey, overlay.opacity);
    edit.Set(kSection, kSpeedUnitKey, SpeedUnitName(overlay.speedUnit));
    edit.SetInt(kSection, kHideIdleKey, overlay.hideIdle ? 1 : 0);
}

bool ReadLocked(ProfileFile& profile)
{
    return profile.GetInt(kSection, kLockedKey, 0) != 0;
}

PanelFontSetting ReadPanelFont(ProfileFile& profile)
{
    PanelFontSetting font;
    font.name = profile.GetString(kSection, kFontNameKey, kFontNameDefault, kTextBuffer);
    if (font.name.empty()) {
        font.name = std::string(kFontNameDefault);
    }
    font.size = profile.GetInt(kSection, kFontSizeKey, kFontSizeDefault);
    font.size = font.size < 1 ? kFontSizeDefault : std::min(font.size, kFontSizeMax);
    font.showTitle = profile.GetInt(kSection, kShowTitleKey, 0) != 0;
    return font;
}

} // namespace vanemark::settings
