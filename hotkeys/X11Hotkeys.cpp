#include "hotkeys/X11Hotkeys.h"

#include <QCoreApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <utility>

namespace vanemark {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

constexpr std::uint32_t kNoSymbol = 0;
constexpr std::uint32_t kNumLockSym = 0xff7f;
constexpr std::uint8_t kBadAccess = 10;

// X keysyms of the keys that are not characters; the printable ASCII keys
// are their own keysyms (letters in lower case).
constexpr std::array<std::pair<int, std::uint32_t>, 18> kSpecialKeys{{
    {Qt::Key_Space, 0x0020},
    {Qt::Key_Escape, 0xff1b},
    {Qt::Key_Tab, 0xff09},
    {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d},
    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Delete, 0xffff},
    {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},
    {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},
    {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},
    {Qt::Key_ScrollLock, 0xff14},
}};

std::uint32_t KeysymOf(Qt::Key key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return 0xffbe + static_cast<std::uint32_t>(key - Qt::Key_F1);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::uint32_t>(key - Qt::Key_A) + 'a';
    }
    if (key > Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return static_cast<std::uint32_t>(key);
    }
    const auto* special =
        std::find_if(kSpecialKeys.begin(), kSpecialKeys.end(), [key](const auto& entry) { return entry.first == key; });
    return special != kSpecialKeys.end() ? special->second : kNoSymbol;
}

// Alt is Mod1 and the Windows key Mod4 on every X desktop in use.
std::uint16_t ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::ControlModifier) {
        mask |= XCB_MOD_MASK_CONTROL;
    }
    if (modifiers & Qt::ShiftModifier) {
        mask |= XCB_MOD_MASK_SHIFT;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= XCB_MOD_MASK_1;
    }
    if (modifiers & Qt::MetaModifier) {
        mask |= XCB_MOD_MASK_4;
    }
    return mask;
}

xcb_window_t RootOf(xcb_connection_t* connection)
{
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return screens.rem > 0 ? screens.data->root : XCB_NONE;
}

} // namespace

X11Hotkeys::X11Hotkeys(xcb_connection_t* xConnection, QObject* parent)
    : GlobalHotkeys(parent), connection(xConnection), root(RootOf(xConnection))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Hotkeys::~X11Hotkeys()
{
    // After the application, its connection to the desktop is gone, and
    // with it every binding.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
        Replace({});
    }
}

void X11Hotkeys::ReadKeyboard()
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    minKeycode = setup->min_keycode;
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const Reply<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, minKeycode, count), nullptr));
    keysyms.clear();
    keysymsPerKeycode = 0;
    if (mapping) {
        keysymsPerKeycode = mapping->keysyms_per_keycode;
        const xcb_keysym_t* first = xcb_get_keyboard_mapping_keysyms(mapping.get());
        keysyms.assign(first, first + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));
    }
    // NumLock sits on whichever modifier the server's map puts it.
    numLockMask = 0;
    const std::uint8_t numLock = KeycodeOf(kNumLockSym);
    const Reply<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (modifiers && numLock != 0) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
        const int perModifier = modifiers->keycodes_per_modifier;
        for (int i = 0; i < 8 * perModifier; ++i) {
            if (codes[i] == numLock) {
                numLockMask = static_cast<std::uint16_t>(1U << (i / perModifier));
            }
        }
    }
}

std::uint8_t X11Hotkeys::KeycodeOf(std::uint32_t keysym) const
{
    if (keysym == kNoSymbol || keysymsPerKeycode == 0) {
        return 0;
    }
    const auto found = std::find(keysyms.begin(), keysyms.end(), keysym);
    if (found == keysyms.end()) {
        return 0;
    }
    return static_cast<std::uint8_t>(minKeycode + (found - keysyms.begin()) / keysymsPerKeycode);
}

std::vector<HotkeyState> X11Hotkeys::Replace(const std::vector<Hotkey>& hotkeys)
{
    for (const Grab& grab : grabs) {
        Release(grab);
    }
    grabs.clear();
    std::vector<HotkeyState> states;
    states.reserve(hotkeys.size());
    if (!hotkeys.empty()) {
        // The map may have changed (another layout) since the last time.
        ReadKeyboard();
    }
    for (const Hotkey& hotkey : hotkeys) {
        states.push_back(Take(hotkey));
    }
    xcb_flush(connection);
    return states;
}

HotkeyState X11Hotkeys::Take(const Hotkey& hotkey)
{
    const std::uint8_t keycode = KeycodeOf(KeysymOf(hotkey.keys.key()));
    if (keycode == 0) {
        return HotkeyState::Unsupported;
    }
    const std::uint16_t modifiers = ModifiersOf(hotkey.keys.keyboardModifiers());
    if (!GrabAll(keycode, modifiers)) {
        return HotkeyState::Taken;
    }
    grabs.push_back({hotkey.id, keycode, modifiers});
    return HotkeyState::Bound;
}

std::array<std::uint16_t, 4> X11Hotkeys::Locks() const
{
    return {0, XCB_MOD_MASK_LOCK, numLockMask, static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLockMask)};
}

bool X11Hotkeys::GrabAll(std::uint8_t keycode, std::uint16_t modifiers)
{
    const std::array<std::uint16_t, 4> locks = Locks();
    std::array<xcb_void_cookie_t, locks.size()> cookies{};
    for (std::size_t i = 0; i < locks.size(); ++i) {
        cookies[i] = xcb_grab_key_checked(connection, 0, root, modifiers | locks[i], keycode, XCB_GRAB_MODE_ASYNC,
                                          XCB_GRAB_MODE_ASYNC);
    }
    bool refused = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        const Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
        refused = refused || (error && error->error_code == kBadAccess);
    }
    if (refused) {
        // Whatever part the server did grant would block the key for its owner.
        Release({0, keycode, modifiers});
    }
    return !refused;
}

void X11Hotkeys::Release(const Grab& grab)
{
    for (const std::uint16_t lock : Locks()) {
        xcb_ungrab_key(connection, grab.keycode, root, static_cast<std::uint16_t>(grab.modifiers | lock));
    }
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (grabs.empty() || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != root) {
        return false;
    }
    const auto modifiers =
        static_cast<std::uint16_t>(key->state & ~(XCB_MOD_MASK_LOCK | numLockMask) &
                                   (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_1 | XCB_MOD_MASK_4));
    bool ours = false;
    for (Grab& grab : grabs) {
        // The pilot may let go of Ctrl before the key: a release is the key's alone.
        if (type == XCB_KEY_RELEASE && grab.keycode == key->detail) {
            grab.down = false;
            grab.releasedAt = key->time;
            ours = true;
        }
        if (type == XCB_KEY_RELEASE || grab.keycode != key->detail || grab.modifiers != modifiers) {
            continue;
        }
        // A held key repeats, either as presses alone or as a release and a
        // press at one instant: one command per press of the hand.
        const bool repeat = grab.down || (grab.releasedAt != 0 && grab.releasedAt == key->time);
        grab.down = true;
        if (!repeat) {
            Q_EMIT activated(grab.id);
        }
        return true;
    }
    return ours;
}

} // namespace vanemark
