#include "app/TrayIcon.h"

#include <QAction>
#include <QIcon>

namespace vanemark {

TrayIcon::TrayIcon(const QIcon& trayIcon, QObject* parent) : QObject(parent)
{
    unlock = menu.addAction(tr("Unlock"));
    unlock->setObjectName(QStringLiteral("unlock"));
    QAction* settings = menu.addAction(tr("Settings"));
    settings->setObjectName(QStringLiteral("settings"));
    record = menu.addAction(QString());
    record->setObjectName(QStringLiteral("record"));
    SetRecording(false);
    menu.addSeparator();
    QAction* exit = menu.addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("exit"));
    connect(unlock, &QAction::triggered, this, &TrayIcon::unlockRequested);
    connect(settings, &QAction::triggered, this, &TrayIcon::settingsRequested);
    connect(record, &QAction::triggered, this, &TrayIcon::recordRequested);
    connect(exit, &QAction::triggered, this, &TrayIcon::exitRequested);
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

void TrayIcon::SetRecording(bool recording)
{
    record->setText(recording ? tr("Stop recording") : tr("Record flight..."));
}

void TrayIcon::SetUnlockEnabled(bool enabled)
{
    unlock->setEnabled(enabled);
}

} // namespace vanemark
