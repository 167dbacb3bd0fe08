#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

class QIcon;

namespace vanemark {

class WindowCommands;

// The system-tray icon that stands in for the window while the window
// cannot be reached: locked in place (it ignores the mouse) or hidden while
// the simulator is away. Its menu offers the window's own commands "Unlock",
// "Settings", the flight recording and "Exit"; the window decides what each
// means and when the icon shows.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    TrayIcon(const QIcon& icon, WindowCommands& commands, QObject* parent = nullptr);
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
    QMenu& Menu() { return menu; }

private:
    // The menu outlives the icon that shows it.
    QMenu menu;
    QSystemTrayIcon icon;
};

} // namespace vanemark
