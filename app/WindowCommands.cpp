#include "app/WindowCommands.h"

#include <QMenu>

namespace vanemark {

namespace {

void Name(QAction& action, const char* name)
{
    action.setObjectName(QString::fromLatin1(name));
}

} // namespace

WindowCommands::WindowCommands(QObject* parent) : QObject(parent)
{
    settings.setText(tr("Settings"));
    Name(settings, "settings");
    lock.setText(tr("Lock in place"));
    lock.setCheckable(true);
    Name(lock, "lock");
    Name(record, "record");
    SetRecording(false);
    Name(showHide, "showHide");
    SetShown(true);
    handMarks.setText(tr("Show hand markers"));
    handMarks.setCheckable(true);
    Name(handMarks, "handMarks");
    editLayout.setText(tr("Edit layout"));
    editLayout.setCheckable(true);
    Name(editLayout, "editLayout");
    unlock.setText(tr("Unlock"));
    Name(unlock, "unlock");
    exit.setText(tr("Exit"));
    Name(exit, "exit");
}

void WindowCommands::SetRecording(bool recording)
{
    record.setText(recording ? tr("Stop recording") : tr("Record flight..."));
}

void WindowCommands::SetShown(bool shown)
{
    showHide.setText(shown ? tr("Hide window") : tr("Show window"));
}

void WindowCommands::SetTrayAvailable(bool available)
{
    lock.setEnabled(available);
    showHide.setEnabled(available);
    const QString why =
        available ? QString() : tr("This desktop has no system tray, so a locked window could not be unlocked.");
    lock.setStatusTip(why);
    lock.setToolTip(available ? lock.text() : why);
    const QString hideWhy =
        available ? QString() : tr("This desktop has no system tray, so a hidden window could not be shown.");
    showHide.setStatusTip(hideWhy);
    showHide.setToolTip(available ? showHide.text() : hideWhy);
}

void WindowCommands::FillContextMenu(QMenu& menu)
{
    menu.addAction(&settings);
    menu.addAction(&lock);
    menu.addAction(&showHide);
    menu.addAction(&record);
    menu.addAction(&handMarks);
    menu.addAction(&editLayout);
    menu.addSeparator();
    menu.addAction(&exit);
    menu.setToolTipsVisible(!lock.isEnabled());
}

void WindowCommands::FillTrayMenu(QMenu& menu)
{
    menu.addAction(&unlock);
    menu.addAction(&showHide);
    menu.addAction(&settings);
    menu.addAction(&record);
    menu.addSeparator();
    menu.addAction(&exit);
}

} // namespace vanemark
