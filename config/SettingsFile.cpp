#include "config/SettingsFile.h"

#include "config/SettingsSchema.h"

namespace vanemark::settings {

ProfileFile OpenSettings(const std::string& path)
{
    return ProfileFile(path, kCommentChar, kLineEnd);
}

std::string SaveFailureText(const std::string& path, const std::string& reason)
{
    std::string text = "The settings could not be saved to ";
    text.append(path).append(": ").append(reason.empty() ? std::string("unknown error") : reason).append(".");
    return text;
}

} // namespace vanemark::settings
