#include "app/PlatformChoice.h"

#include <QByteArray>

#include <cstdlib>

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

void ApplyPlatformChoice([[maybe_unused]] bool snapshotOnly)
{
#if defined(__unix__) && !defined(__APPLE__)
    const auto environment = [](std::string_view name) {
        const char* value = std::getenv(std::string(name).c_str());
        return std::string(value != nullptr ? value : "");
    };
    if (auto platform = ChoosePlatform(environment, snapshotOnly)) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    }
#endif
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
