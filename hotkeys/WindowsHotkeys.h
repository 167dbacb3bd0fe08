#pragma once

#include "hotkeys/GlobalHotkeys.h"

#include <QAbstractNativeEventFilter>

#include <vector>

namespace vanemark {

// RegisterHotKey for this thread, without a window: Windows posts WM_HOTKEY
// to the thread's queue, where the native event filter picks it out. A
// window would not do, because the main window's native handle is made anew
// each time it is locked or unlocked. A combination another program holds is
// refused by Windows, and reported.
class WindowsHotkeys final : public GlobalHotkeys, private QAbstractNativeEventFilter {
public:
    explicit WindowsHotkeys(QObject* parent = nullptr);
    ~WindowsHotkeys() override;
    WindowsHotkeys(const WindowsHotkeys&) = delete;
    WindowsHotkeys& operator=(const WindowsHotkeys&) = delete;

    QString Unavailable() const override { return {}; }
    std::vector<HotkeyState> Replace(const std::vector<Hotkey>& hotkeys) override;

private:
    struct Registered {
        int id = 0;
        int native = 0;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::vector<Registered> registered;
};

} // namespace vanemark
