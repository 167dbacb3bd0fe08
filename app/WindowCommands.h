#pragma once

#include <QAction>
#include <QObject>

class QMenu;

namespace vanemark {

// The window's commands, one action each, shared by the right-click menu and
// the tray icon's menu, so that both offer the same texts, states and
// effects. The window connects each to what it does, queued: a command runs
// once the menu that chose it has closed, never inside it.
class WindowCommands : public QObject {
    Q_OBJECT

public:
    explicit WindowCommands(QObject* parent = nullptr);

    QAction settings;
    QAction lock; // checkable: the window is locked in place
    QAction record;
    QAction showHide;
    QAction handMarks; // checkable: the hand is marked beside the simulator's values
    QAction editLayout;
    QAction unlock;
    QAction exit;

    // "Record flight..." or "Stop recording".
    void SetRecording(bool recording);
    // "Hide window" or "Show window".
    void SetShown(bool shown);
    // Where no tray could unlock a locked window or show a hidden one, locking
    // and hiding are offered disabled, with the reason.
    void SetTrayAvailable(bool available);

    // Settings, lock, hide, record, hand markers, edit layout and exit.
    void FillContextMenu(QMenu& menu);
    // Unlock, show, settings, record and exit.
    void FillTrayMenu(QMenu& menu);
};

} // namespace vanemark
