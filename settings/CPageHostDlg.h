#pragma once

#include <QDialog>

#include <memory>
#include <vector>

namespace vanemark {

class CSettingsPage;

// A dialog that hosts pages at the top-left corner of a container widget and
// shows one of them at a time. Pages are created once and only hidden and
// shown afterwards, so what the user typed survives switching pages.
class CPageHostDlg : public QDialog {
    Q_OBJECT

public:
    ~CPageHostDlg() override;

    CPageHostDlg(const CPageHostDlg&) = delete;
    CPageHostDlg& operator=(const CPageHostDlg&) = delete;

    // Creates the page for the id and places it, hidden. 0, or -1 when
    // CreatePage has no page for the id.
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

    // The widget whose top-left corner pages are placed at. Without one,
    // pages sit at the dialog's origin.
    void SetContainer(QWidget* widget);
    // Tells every created page it is going and deletes it. Derived dialogs
    // call it from their destructor so pages never outlive what they use.
    void RemovePages();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PageEntry {
        bool created = false;
        bool visible = false;
        int templateId = 0;
        std::unique_ptr<CSettingsPage> page;
        CPageHostDlg* host = nullptr;
    };

    void PlacePages();

    QWidget* container = nullptr;
    std::vector<PageEntry> pages;
};

} // namespace vanemark
