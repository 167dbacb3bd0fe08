#include "app/CVanemarkDlg.h"

#include "app/CommandMenu.h"
#include "app/QtConversions.h"
#include "panel/CPanelCtrl.h"
#include "settings/CSettingsDlg.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

namespace vanemark {

void CVanemarkDlg::mousePressEvent(QMouseEvent* e)
{
    if (EditMousePress(e)) {
        return;
    }
    const QPoint global = e->globalPosition().toPoint();
    if (e->button() == Qt::LeftButton) {
        if (panel->HitTestClose(global) == CPanelCtrl::kCloseHitCode) {
            // Finish this press first; the window is gone when the sequence ends.
            QMetaObject::invokeMethod(this, &CVanemarkDlg::RunExitSequence, Qt::QueuedConnection);
            return;
        }
        dragOffset = global - geometry().topLeft();
        dragging = true;
    } else if (e->button() == Qt::RightButton) {
        dragging = false;
        ShowContextMenu(global);
    }
}

void CVanemarkDlg::mouseMoveEvent(QMouseEvent* e)
{
    if (EditMouseMove(e)) {
        return;
    }
    if (!dragging || !(e->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint global = e->globalPosition().toPoint();
    const ScreenRect moved = DragWindow(ToScreenRect(geometry()), {global.x(), global.y()},
                                        {dragOffset.x(), dragOffset.y()}, DesktopAt(global));
    move(moved.left, moved.top);
}

void CVanemarkDlg::mouseReleaseEvent(QMouseEvent* e)
{
    if (EditMouseRelease(e)) {
        return;
    }
    if (e->button() == Qt::LeftButton) {
        dragging = false;
    }
}

void CVanemarkDlg::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter while arranging the panel must not end the program under the pilot's hands.
        if (!Editing()) {
            RunExitSequence();
        }
        break;
    case Qt::Key_Escape:
        break; // the window has nothing to cancel
    default:
        QWidget::keyPressEvent(e);
        break;
    }
}

void CVanemarkDlg::closeEvent(QCloseEvent* e)
{
    // A close from the window manager (Alt+F4, the task switcher) saves the position too.
    if (!exitDone) {
        RunExitSequence();
    }
    e->accept();
}

void CVanemarkDlg::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    panel->setGeometry(rect());
}

void CVanemarkDlg::ShowContextMenu(const QPoint& globalPos)
{
    CommandMenu menu(this);
    const auto add = [&menu](const QString& text, const char* name, std::function<void()> command) {
        return menu.Add(text, name, std::move(command));
    };
    add(tr("Settings"), "settings", [this] { OpenSettings(); });
    QAction* lock = add(tr("Lock in place"), "lock", [this] { SetLocked(!locked); });
    lock->setCheckable(true);
    lock->setChecked(locked);
    if (tray == nullptr) {
        // Locked, only the tray icon could unlock the window.
        lock->setEnabled(false);
        const QString why = tr("This desktop has no system tray, so a locked window could not be unlocked.");
        lock->setStatusTip(why);
        lock->setToolTip(why);
        menu.Menu().setToolTipsVisible(true);
    }
    add(recording.IsRecording() ? tr("Stop recording") : tr("Record flight..."), "record",
        [this] { ToggleRecording(); });
    add(tr("Edit layout"), "editLayout", [this] { SetEditing(true); })->setCheckable(true);
    menu.Menu().addSeparator();
    add(tr("Exit"), "exit", [this] { RunExitSequence(); });

    if (const std::function<void()> command = RunMenu(menu, globalPos)) {
        command();
    }
}

std::function<void()> CVanemarkDlg::RunMenu(CommandMenu& menu, const QPoint& globalPos)
{
    contextMenu = &menu.Menu();
    QPointer<CVanemarkDlg> alive(this);
    std::function<void()> command = menu.Exec(globalPos);
    // A window closed while its menu was open runs nothing.
    if (!alive) {
        return {};
    }
    contextMenu = nullptr;
    return command;
}

void CVanemarkDlg::OpenSettings()
{
    // No parent: the dialog is its own top-level window; the cycle and the
    // feed keep running while it is open.
    CSettingsDlg dialog(*this);
    dialog.exec();
}

void CVanemarkDlg::ToggleRecording()
{
    if (recording.IsRecording()) {
        recording.Stop();
    } else {
        // Next to the settings, where the program keeps its own files.
        recording.Choose(QFileInfo(QString::fromStdString(settingsFileName)).absolutePath());
    }
}
} // namespace vanemark
