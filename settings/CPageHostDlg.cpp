#include "settings/CPageHostDlg.h"

#include "settings/CSettingsPage.h"

#include <QEvent>

namespace vanemark {

CPageHostDlg::CPageHostDlg(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

CPageHostDlg::~CPageHostDlg()
{
    RemovePages();
}

void CPageHostDlg::SetContainer(QWidget* widget)
{
    if (container)
        container->removeEventFilter(this);
    container = widget;
    if (container)
        container->installEventFilter(this);
}

int CPageHostDlg::AddPage(int templateId)
{
    PageEntry entry;
    entry.templateId = templateId;
    entry.host = this;
    entry.page = CreatePage(templateId);
    if (!entry.page)
        return -1;
    CSettingsPage& page = *entry.page;
    page.setParent(this);
    page.setVisible(false);
    page.SetHost(this);
    page.OnInitDialog();
    page.adjustSize();
    if (container) {
        // The page area grows to hold the largest page.
        const QSize need = page.sizeHint().expandedTo(page.minimumSizeHint()).expandedTo(page.minimumSize());
        container->setMinimumSize(container->minimumSize().expandedTo(need));
    }
    page.setEnabled(true);
    pages.push_back(std::move(entry));
    PlacePages();
    page.OnPageAdded();
    pages.back().created = true;
    return 0;
}

void CPageHostDlg::ShowPage(int templateId)
{
    PageEntry* visible = nullptr;
    PageEntry* match = nullptr;
    for (PageEntry& entry : pages) {
        if (!visible && entry.visible)
            visible = &entry;
        if (!match && entry.templateId == templateId)
            match = &entry;
    }
    if (visible) {
        visible->page->OnPageHide();
        visible->page->hide();
        visible->visible = false;
        OnPageShown(visible->templateId, false);
    }
    if (match && match->created) {
        match->page->show();
        match->page->repaint();
        match->page->OnPageShow();
        match->visible = true;
        OnPageShown(match->templateId, true);
    }
}

CSettingsPage* CPageHostDlg::Page(int templateId) const
{
    for (const PageEntry& entry : pages) {
        if (entry.templateId == templateId)
            return entry.page.get();
    }
    return nullptr;
}

int CPageHostDlg::VisiblePage() const
{
    for (const PageEntry& entry : pages) {
        if (entry.visible)
            return entry.templateId;
    }
    return -1;
}

void CPageHostDlg::RemovePages()
{
    for (PageEntry& entry : pages) {
        if (!entry.created)
            continue;
        entry.created = false;
        entry.page->OnPageHide();
        entry.page->OnPageRemoved();
        entry.page.reset();
    }
    pages.clear();
}

bool CPageHostDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == container && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PlacePages();
    return QDialog::eventFilter(watched, event);
}

void CPageHostDlg::PlacePages()
{
    // Pages are siblings of the container, not its children, so the
    // container can stay an empty, inert placeholder.
    const QRect area = container ? container->geometry() : QRect(QPoint(0, 0), size());
    for (PageEntry& entry : pages) {
        entry.page->move(area.topLeft());
        if (container)
            entry.page->resize(area.size());
    }
}

} // namespace vanemark
