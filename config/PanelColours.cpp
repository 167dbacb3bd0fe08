#include "config/PanelColours.h"

#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

namespace vanemark::settings {

PanelColours ReadColours(ProfileFile& profile)
{
    const PanelColours defaults;
    PanelColours colours;
    for (std::size_t i = 0; i < PanelColours::RoleCount; ++i) {
        colours.colour[i] = profile.GetInt(kSection, kColourKeys[i], defaults.colour[i]);
    }
    return colours;
}

void WriteColours(ProfileEdit& edit, const PanelColours& colours)
{
    for (std::size_t i = 0; i < PanelColours::RoleCount; ++i) {
        edit.SetInt(kSection, kColourKeys[i], colours.colour[i]);
    }
}

} // namespace vanemark::settings
