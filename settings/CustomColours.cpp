#include "settings/CustomColours.h"

#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"

namespace vanemark {

namespace {

std::string KeyName(std::size_t index)
{
    return std::string(settings::kCustomColourKeyPrefix) + std::to_string(index);
}

} // namespace

CustomColourSet LoadCustomColours(const std::string& path)
{
    CustomColourSet colours;
    colours.fill(static_cast<std::uint32_t>(settings::kCustomColourDefault));
    if (path.empty()) {
        return colours;
    }
    ProfileFile file = settings::OpenSettings(path);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = static_cast<std::uint32_t>(
            file.GetInt(settings::kCustomColoursSection, KeyName(i), settings::kCustomColourDefault));
    }
    return colours;
}

int SaveCustomColours(const std::string& path, const CustomColourSet& colours, std::string* reason)
{
    if (path.empty()) {
        return 0;
    }
    ProfileFile file = settings::OpenSettings(path);
    ProfileEdit edit(file);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        edit.SetInt(settings::kCustomColoursSection, KeyName(i), static_cast<std::int32_t>(colours[i]));
    }
    if (edit.Commit() != 0) {
        if (reason) {
            *reason = edit.Error();
        }
        return -1;
    }
    return 0;
}

} // namespace vanemark
