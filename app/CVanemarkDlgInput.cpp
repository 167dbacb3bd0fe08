#include "app/CVanemarkDlg.h"

#include "app/CommandMenu.h"
#include "app/QtConversions.h"
#include "panel/CPanelCtrl.h"
#include "settings/CSettingsDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
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
    commands.lock.setChecked(locked);
    commands.SetTrayAvailable(tray != nullptr);
    commands.SetRecording(recording.IsRecording());
    commands.editLayout.setChecked(false);
    commands.SetShown(!userHidden);
    commands.handMarks.setChecked(joysticks.Bindings().showMarks);
    QMenu menu(this);
    commands.FillContextMenu(menu);
    contextMenu = &menu;
    QPointer<CVanemarkDlg> alive(this);
    menu.exec(globalPos);
    if (alive) {
        contextMenu = nullptr;
        // The chosen command waits in the queue; it runs now that the menu has closed.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
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
