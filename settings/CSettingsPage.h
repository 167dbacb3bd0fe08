#pragma once

#include <QWidget>

class QBoxLayout;
class QPushButton;

namespace vanemark {

class CPageHostDlg;

// One page of a CPageHostDlg: a borderless child of the host's page stack.
// Created hidden and disabled; the host enables it once it is in the stack. Every page has "Apply" and "Close"; "Close"
// ends the whole host dialog without saving.
class CSettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit CSettingsPage(QWidget* parent = nullptr);
    ~CSettingsPage() override;

    CSettingsPage(const CSettingsPage&) = delete;
    CSettingsPage& operator=(const CSettingsPage&) = delete;

    // Builds the controls and fills them. The host calls it once, right
    // after it made the page its child; a derived page calls the base first.
    virtual bool OnInitDialog();

    // Notifications from the host; nothing by default.
    virtual void OnPageShow() {}
    virtual void OnPageHide() {}
    virtual void OnPageAdded() {}
    virtual void OnPageRemoved() {}

    void SetHost(CPageHostDlg* pageHost) { host = pageHost; }

protected:
    // "Apply"
    virtual void OnOK() {}
    // "Close": asks the host to close once the current event is done, so
    // the page is never deleted under its own button handler.
    virtual void OnCancel();

    // "Apply" and "Close", right-aligned, wired to OnOK and OnCancel.
    void AddButtonRow(QBoxLayout& layout);

    void showEvent(QShowEvent* event) override;

private:
    CPageHostDlg* host = nullptr;
    QPushButton* applyButton = nullptr;
};

} // namespace vanemark
