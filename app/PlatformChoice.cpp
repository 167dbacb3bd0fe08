#include "app/PlatformChoice.h"

#include <QByteArray>

namespace vanemark {

std::optional<std::string> ChoosePlatform(const std::function<std::string(std::string_view)>& environment,
                                          bool snapshotOnly)
{
    if (!environment("QT_QPA_PLATFORM").empty()) {
        return std::nullopt;
    }
    const bool x11 = !environment("DISPLAY").empty();
    const bool wayland = !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
    if (wayland && x11) {
        return std::string("xcb");
    }
    if (!wayland && !x11 && snapshotOnly) {
        return std::string("offscreen");
    }
    return std::nullopt;
}

void PreferPlainImageTransfer()
{
    constexpr const char* kName = "QT_XCB_NO_MIT_SHM";
    if (!qEnvironmentVariableIsSet(kName)) {
        qputenv(kName, "1");
    } else if (qgetenv(kName) == "0") {
        qunsetenv(kName);
    }
}

} // namespace vanemark
