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
    QAction editLayout;
    QAction unlock;
    QAction exit;

    // "Record flight..." or "Stop recording".
    void SetRecording(bool recording);
    // Where no tray could unlock a locked window, locking is offered disabled, with the reason.
    void SetTrayAvailable(bool available);

    // Settings, lock, record, edit layout and exit.
    void FillContextMenu(QMenu& menu);
    // Unlock, settings, record and exit.
    void FillTrayMenu(QMenu& menu);
};

} // namespace vanemark
