#include "settings/CPageHostDlg.h"

#include "settings/CSettingsPage.h"

#include <QStackedWidget>

namespace vanemark {

CPageHostDlg::CPageHostDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), stack(new QStackedWidget(this)), blank(new QWidget(stack))
{
    stack->setObjectName(QStringLiteral("pageStack"));
    stack->addWidget(blank);
}

CPageHostDlg::~CPageHostDlg()
{
    RemovePages();
}

int CPageHostDlg::AddPage(int templateId)
{
    std::unique_ptr<CSettingsPage> created = CreatePage(templateId);
    if (!created) {
        return -1;
    }
    CSettingsPage* page = created.get();
    page->SetHost(this);
    stack->addWidget(created.release());
    page->OnInitDialog();
    page->setEnabled(true);
    pages.push_back({templateId, page});
    page->OnPageAdded();
    return 0;
}

const CPageHostDlg::PageEntry* CPageHostDlg::Find(int templateId) const
{
    for (const PageEntry& entry : pages) {
        if (entry.templateId == templateId) {
            return &entry;
        }
    }
    return nullptr;
}

void CPageHostDlg::ShowPage(int templateId)
{
    const int visible = VisiblePage();
    if (visible >= 0) {
        Find(visible)->page->OnPageHide();
        stack->setCurrentWidget(blank);
        OnPageShown(visible, false);
    }
    if (const PageEntry* match = Find(templateId)) {
        stack->setCurrentWidget(match->page);
        match->page->OnPageShow();
        OnPageShown(templateId, true);
    }
}

CSettingsPage* CPageHostDlg::Page(int templateId) const
{
    const PageEntry* entry = Find(templateId);
    return entry ? entry->page : nullptr;
}

int CPageHostDlg::VisiblePage() const
{
    for (const PageEntry& entry : pages) {
        if (stack->currentWidget() == entry.page) {
            return entry.templateId;
        }
    }
    return -1;
}

void CPageHostDlg::RemovePages()
{
    // Taken out of the list first: a page's notifications may ask the host
    // about its pages.
    std::vector<PageEntry> going;
    going.swap(pages);
    stack->setCurrentWidget(blank);
    for (PageEntry& entry : going) {
        entry.page->OnPageHide();
        entry.page->OnPageRemoved();
        delete entry.page;
    }
}

} // namespace vanemark
