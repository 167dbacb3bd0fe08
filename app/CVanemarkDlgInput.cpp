#include "app/CVanemarkDlg.h"

#include "app/QtConversions.h"
#include "panel/CPanelCtrl.h"
#include "settings/CSettingsDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

namespace vanemark {

void CVanemarkDlg::mousePressEvent(QMouseEvent* e)
{
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
    if (e->button() == Qt::LeftButton) {
        dragging = false;
    }
}

void CVanemarkDlg::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        RunExitSequence();
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
    QMenu menu(this);
    QAction* settings = menu.addAction(tr("Settings"));
    menu.addSeparator();
    QAction* exit = menu.addAction(tr("Exit"));
    contextMenu = &menu;
    QPointer<CVanemarkDlg> alive(this);
    QAction* chosen = menu.exec(globalPos);
    if (!alive) {
        return;
    }
    contextMenu = nullptr;
    if (chosen == settings) {
        OpenSettings();
    } else if (chosen == exit) {
        RunExitSequence();
    }
}

void CVanemarkDlg::OpenSettings()
{
    // No parent: the dialog is its own top-level window; the cycle and the
    // client keep running while it is open.
    CSettingsDlg dialog(*this);
    dialog.exec();
}
} // namespace vanemark
