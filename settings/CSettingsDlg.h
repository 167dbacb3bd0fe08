#pragma once

#include "settings/CPageHostDlg.h"

#include <string>

class QComboBox;

namespace vanemark {

class SettingsHost;

// The modal settings dialog: a drop-down list at the top picks the page
// shown below it. It has no buttons of its own; each page brings "Apply" and
// "Close", and the caption's close box (or Escape) ends the dialog too.
class CSettingsDlg : public CPageHostDlg {
    Q_OBJECT

public:
    static constexpr int generalPageId = 133;
    static constexpr int colorPageId = 134;
    static constexpr int windowPageId = 135;
    static constexpr int controlsPageId = 136;
    static constexpr int webPanelPageId = 137;
    static constexpr int commandsPageId = 138;

    // Keeps a copy of the owner's settings path for the pages.
    explicit CSettingsDlg(SettingsHost& owner, QWidget* parent = nullptr);
    ~CSettingsDlg() override;

    CSettingsDlg(const CSettingsDlg&) = delete;
    CSettingsDlg& operator=(const CSettingsDlg&) = delete;

    SettingsHost& Owner() const { return owner; }
    const std::string& SettingsPath() const { return settingsPath; }

protected:
    std::unique_ptr<CSettingsPage> CreatePage(int templateId) override;
    void OnPageShown(int templateId, bool shown) override;

private:
    void OnSelChange(int index);

    SettingsHost& owner;
    std::string settingsPath;
    QComboBox* pageList = nullptr;
};

} // namespace vanemark
