#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QIcon;

namespace vanemark {

// The system-tray icon that stands in for the window while the window
// cannot be reached: locked in place (it ignores the mouse) or hidden while
// the simulator is away. Its menu offers "Unlock", "Settings", the flight
// recording and "Exit";
// the window decides what each means and when the icon shows.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const QIcon& icon, QObject* parent = nullptr);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the desktop shows tray icons at all. Without one, nothing may
    // depend on the icon to bring the window back.
    static bool Available();

    void SetVisible(bool visible);
    bool IsVisible() const { return icon.isVisible(); }
    // The hover text; the window hands over its title, and anything that
    // describes the window's state better may replace it.
    void SetToolTip(const QString& text);
    QString ToolTip() const { return icon.toolTip(); }
    // "Unlock" means something only while the window is locked.
    void SetUnlockEnabled(bool enabled);
    // "Record flight..." or "Stop recording".
    void SetRecording(bool recording);
    QMenu& Menu() { return menu; }

Q_SIGNALS:
    void unlockRequested();
    void settingsRequested();
    void recordRequested();
    void exitRequested();

private:
    // The menu outlives the icon that shows it.
    QMenu menu;
    QSystemTrayIcon icon;
    QAction* unlock = nullptr;
    QAction* record = nullptr;
};

} // namespace vanemark
