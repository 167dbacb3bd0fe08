#include "app/TrayIcon.h"

#include "app/WindowCommands.h"

#include <QIcon>

namespace vanemark {

TrayIcon::TrayIcon(const QIcon& trayIcon, WindowCommands& commands, QObject* parent) : QObject(parent)
{
    commands.FillTrayMenu(menu);
    icon.setIcon(trayIcon);
    icon.setContextMenu(&menu);
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::SetVisible(bool visible)
{
    icon.setVisible(visible);
}

void TrayIcon::SetToolTip(const QString& text)
{
    icon.setToolTip(text);
}

} // namespace vanemark
