#pragma once

#include <cstdint>

namespace vanemark {

class ProfileFile;
class ProfileEdit;

namespace settings {

// The built-in web panel, as the "Web panel" page edits it: off unless
// turned on, reachable from this computer alone unless others are allowed.
struct WebPanelSetting {
    static constexpr std::int32_t kDefaultPort = 21180;
    bool enabled = false;
    std::int32_t port = kDefaultPort; // 1 ... 65535
    bool allowOthers = false;
    friend bool operator==(const WebPanelSetting&, const WebPanelSetting&) = default;
};

// Keys "web panel", "web port" and "web others"; a port outside 1 ... 65535
// reads as the default.
WebPanelSetting ReadWebPanel(ProfileFile& profile);
void WriteWebPanel(ProfileEdit& edit, const WebPanelSetting& web);

} // namespace settings
} // namespace vanemark
