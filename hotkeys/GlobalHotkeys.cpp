#include "hotkeys/GlobalHotkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include "hotkeys/WindowsHotkeys.h"
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include "hotkeys/PortalHotkeys.h"
#include "hotkeys/X11Hotkeys.h"

#include <QDBusConnection>
#endif

namespace vanemark {

namespace {

// Offscreen, or a platform with no way to hear keys meant for other windows.
class NoHotkeys final : public GlobalHotkeys {
public:
    using GlobalHotkeys::GlobalHotkeys;
    QString Unavailable() const override
    {
        return QCoreApplication::translate("vanemark::GlobalHotkeys", "This desktop offers no global hotkeys.");
    }
    std::vector<HotkeyState> Replace(const std::vector<Hotkey>& hotkeys) override
    {
        return std::vector<HotkeyState>(hotkeys.size(), HotkeyState::Unavailable);
    }
};

} // namespace

std::unique_ptr<GlobalHotkeys> GlobalHotkeys::ForDesktop(QObject* parent)
{
#if defined(Q_OS_WIN)
    return std::make_unique<WindowsHotkeys>(parent);
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            return std::make_unique<X11Hotkeys>(x11->connection(), parent);
        }
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        return std::make_unique<PortalHotkeys>(QDBusConnection::sessionBus(), parent);
    }
    return std::make_unique<NoHotkeys>(parent);
#else
    return std::make_unique<NoHotkeys>(parent);
#endif
}

} // namespace vanemark
