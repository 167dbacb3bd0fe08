#pragma once

#include "hotkeys/GlobalHotkeys.h"

#include <QAbstractNativeEventFilter>

#include <array>
#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace vanemark {

// Passive grabs of key combinations on the root window: the X server sends
// a bound combination to this program whichever window has the focus, and
// every other key where it always went. A combination is grabbed four times,
// with and without CapsLock and NumLock, so that neither lock decides
// whether it works. Another client's grab of the same combination makes the
// server refuse ours; that is reported, not ignored.
class X11Hotkeys final : public GlobalHotkeys, private QAbstractNativeEventFilter {
public:
    // `connection` is the X connection Qt's windows use: its events pass the
    // application's native event filters, where the presses are picked out.
    X11Hotkeys(xcb_connection_t* xConnection, QObject* parent = nullptr);
    ~X11Hotkeys() override;
    X11Hotkeys(const X11Hotkeys&) = delete;
    X11Hotkeys& operator=(const X11Hotkeys&) = delete;

    QString Unavailable() const override { return {}; }
    std::vector<HotkeyState> Replace(const std::vector<Hotkey>& hotkeys) override;

private:
    struct Grab {
        int id = 0;
        std::uint8_t keycode = 0;
        std::uint16_t modifiers = 0;
        bool down = false;
        std::uint32_t releasedAt = 0;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    HotkeyState Take(const Hotkey& hotkey);
    // The lock states a combination is grabbed under: none, CapsLock, NumLock, both.
    std::array<std::uint16_t, 4> Locks() const;
    bool GrabAll(std::uint8_t keycode, std::uint16_t modifiers);
    void Release(const Grab& grab);
    std::uint8_t KeycodeOf(std::uint32_t keysym) const;
    void ReadKeyboard();

    xcb_connection_t* connection;
    std::uint32_t root = 0;
    std::uint16_t numLockMask = 0;
    // The server's keyboard map: keysymsPerKeycode symbols for each keycode from minKeycode.
    std::uint8_t minKeycode = 0;
    std::uint8_t keysymsPerKeycode = 0;
    std::vector<std::uint32_t> keysyms;
    std::vector<Grab> grabs;
};

} // namespace vanemark
