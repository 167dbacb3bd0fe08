#include "config/WebPanelSetting.h"

#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

namespace vanemark::settings {

namespace {

constexpr std::string_view kEnabledKey = "web panel";
constexpr std::string_view kPortKey = "web port";
constexpr std::string_view kOthersKey = "web others";
constexpr std::int32_t kPortMax = 65535;

} // namespace

WebPanelSetting ReadWebPanel(ProfileFile& profile)
{
    WebPanelSetting web;
    web.enabled = profile.GetInt(kSection, kEnabledKey, 0) != 0;
    const std::int32_t port = profile.GetInt(kSection, kPortKey, WebPanelSetting::kDefaultPort);
    web.port = port >= 1 && port <= kPortMax ? port : WebPanelSetting::kDefaultPort;
    web.allowOthers = profile.GetInt(kSection, kOthersKey, 0) != 0;
    return web;
}

void WriteWebPanel(ProfileEdit& edit, const WebPanelSetting& web)
{
    edit.SetInt(kSection, kEnabledKey, web.enabled ? 1 : 0);
    edit.SetInt(kSection, kPortKey, web.port);
    edit.SetInt(kSection, kOthersKey, web.allowOthers ? 1 : 0);
}

} // namespace vanemark::settings
