#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class QStackedWidget;

namespace vanemark {

class CSettingsPage;

// A dialog that hosts pages in a QStackedWidget and shows one of them at a
// time. Pages are created once and only switched afterwards, so what the
// user typed survives switching pages; the stack is as large as the largest
// page.
class CPageHostDlg : public QDialog {
    Q_OBJECT

public:
    ~CPageHostDlg() override;

    CPageHostDlg(const CPageHostDlg&) = delete;
    CPageHostDlg& operator=(const CPageHostDlg&) = delete;

    // Creates the page for the id and adds it to the stack, not shown. 0, or
    // -1 when CreatePage has no page for the id.
    int AddPage(int templateId);
    // Hides the visible page (if any) and shows the page with the id (if any).
    void ShowPage(int templateId);

    // The page with the id, or nullptr.
    CSettingsPage* Page(int templateId) const;
    // The id of the visible page, or -1.
    int VisiblePage() const;

protected:
    explicit CPageHostDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    virtual std::unique_ptr<CSettingsPage> CreatePage(int templateId) = 0;
    virtual void OnPageShown(int templateId, bool shown) = 0;

    // The page area, for the derived dialog's layout.
    QStackedWidget& PageStack() const { return *stack; }
    // Tells every page it is going and deletes it. Derived dialogs call it
    // from their destructor so pages never outlive what they use.
    void RemovePages();

private:
    struct PageEntry {
        int templateId = 0;
        CSettingsPage* page = nullptr; // owned by the stack
    };
    const PageEntry* Find(int templateId) const;

    QStackedWidget* stack;
    // Stands in the stack while no page is shown.
    QWidget* blank;
    std::vector<PageEntry> pages;
};

} // namespace vanemark
