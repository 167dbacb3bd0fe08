#include "settings/CustomColours.h"

#include "core/ProfileFile.h"

namespace vanemark {

namespace {

constexpr std::string_view kSection = "custom colors";
constexpr std::int32_t kWhite = 16777215;

std::string KeyName(std::size_t index)
{
    return "color-" + std::to_string(index);
}

} // namespace

CustomColourSet LoadCustomColours(const std::string& path)
{
    CustomColourSet colours;
    colours.fill(static_cast<std::uint32_t>(kWhite));
    if (path.empty())
        return colours;
    ProfileFile file(path, '#', "\r\n");
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = static_cast<std::uint32_t>(file.GetInt(kSection, KeyName(i), kWhite));
    return colours;
}

int SaveCustomColours(const std::string& path, const CustomColourSet& colours)
{
    if (path.empty())
        return 0;
    ProfileFile file(path, '#', "\r\n");
    int result = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (file.WriteInt(kSection, KeyName(i), static_cast<std::int32_t>(colours[i])) != 0)
            result = -1;
    }
    return result;
}

} // namespace vanemark
