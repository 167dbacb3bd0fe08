#include "hotkeys/WindowsHotkeys.h"

#include <QCoreApplication>

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <utility>

namespace vanemark {

namespace {

// Virtual-key codes of the keys that are not letters, digits or F-keys.
constexpr std::array<std::pair<int, UINT>, 18> kSpecialKeys{{
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_ScrollLock, VK_SCROLL},
}};

UINT VirtualKeyOf(Qt::Key key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<UINT>(key); // 'A'... and '0'... are their own codes
    }
    const auto* special =
        std::find_if(kSpecialKeys.begin(), kSpecialKeys.end(), [key](const auto& entry) { return entry.first == key; });
    return special != kSpecialKeys.end() ? special->second : 0;
}

UINT ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    // A held combination is one command, not one per repeat.
    UINT mask = MOD_NOREPEAT;
    if (modifiers & Qt::ControlModifier) {
        mask |= MOD_CONTROL;
    }
    if (modifiers & Qt::ShiftModifier) {
        mask |= MOD_SHIFT;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= MOD_ALT;
    }
    if (modifiers & Qt::MetaModifier) {
        mask |= MOD_WIN;
    }
    return mask;
}

// Ids for RegisterHotKey are per thread and the application's range ends at
// 0xBFFF; every instance takes its own, so that two never release each other's.
int NextNativeId()
{
    static std::atomic<int> next{1};
    return next.fetch_add(1) % 0xBFFF + 1;
}

} // namespace

WindowsHotkeys::WindowsHotkeys(QObject* parent) : GlobalHotkeys(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowsHotkeys::~WindowsHotkeys()
{
    // After the application, its connection to the desktop is gone, and
    // with it every binding.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
        Replace({});
    }
}

std::vector<HotkeyState> WindowsHotkeys::Replace(const std::vector<Hotkey>& hotkeys)
{
    for (const Registered& each : registered) {
        UnregisterHotKey(nullptr, each.native);
    }
    registered.clear();
    std::vector<HotkeyState> states;
    for (const Hotkey& hotkey : hotkeys) {
        const UINT key = VirtualKeyOf(hotkey.keys.key());
        if (key == 0) {
            states.push_back(HotkeyState::Unsupported);
            continue;
        }
        const int native = NextNativeId();
        if (RegisterHotKey(nullptr, native, ModifiersOf(hotkey.keys.keyboardModifiers()), key)) {
            registered.push_back({hotkey.id, native});
            states.push_back(HotkeyState::Bound);
        } else {
            states.push_back(GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? HotkeyState::Taken
                                                                               : HotkeyState::Unsupported);
        }
    }
    return states;
}

bool WindowsHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (eventType != "windows_generic_MSG") {
        return false;
    }
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_HOTKEY || msg->hwnd != nullptr) {
        return false;
    }
    const auto found = std::find_if(registered.begin(), registered.end(), [msg](const Registered& each) {
        return static_cast<WPARAM>(each.native) == msg->wParam;
    });
    if (found == registered.end()) {
        return false;
    }
    Q_EMIT activated(found->id);
    return true;
}

} // namespace vanemark
