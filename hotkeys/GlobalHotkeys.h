#pragma once

#include <QKeyCombination>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace vanemark {

// What became of one key combination the user bound.
enum class HotkeyState {
    Bound,       // it runs its command whatever window has the focus
    Taken,       // another program holds it
    Unsupported, // the desktop has no way to grab this key
    Unavailable  // this desktop offers no global hotkeys at all
};

struct Hotkey {
    int id = 0;
    QKeyCombination keys;
};

// Key combinations that reach this program while another one (the game) has
// the keyboard focus. Only the bound combinations are taken from the other
// programs; every other key goes where it always went. Use from the GUI thread.
class GlobalHotkeys : public QObject {
    Q_OBJECT

public:
    // The desktop's own: X11's passive key grabs, Windows' RegisterHotKey,
    // or Wayland's GlobalShortcuts portal; one that binds nothing elsewhere.
    static std::unique_ptr<GlobalHotkeys> ForDesktop(QObject* parent = nullptr);

    // Empty where hotkeys can be bound; otherwise why not, in the user's words.
    virtual QString Unavailable() const = 0;
    // Lets go of every earlier combination and binds these; one state per
    // hotkey, in their order. Binding nothing releases everything.
    virtual std::vector<HotkeyState> Replace(const std::vector<Hotkey>& hotkeys) = 0;

Q_SIGNALS:
    // A bound combination was pressed.
    void activated(int id);

protected:
    using QObject::QObject;
};

} // namespace vanemark
