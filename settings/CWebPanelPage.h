#pragma once

#include "config/WebPanelSetting.h"
#include "settings/CSettingsPage.h"

#include <QString>

#include <string>

class QCheckBox;
class QGridLayout;
class QLabel;
class QSpinBox;
class QWidget;

namespace vanemark {

class SettingsHost;

// The panel for browsers (OBS's browser source, a tablet, a second PC):
// whether the window serves it, on which port, and to this computer alone or
// to the network. While it is served the page lists the addresses to paste,
// each with "Copy"; when it cannot be, the page says why. "Apply" stores the
// setting in section "settings" and has the window start, move or stop the
// server at once.
class CWebPanelPage : public CSettingsPage {
    Q_OBJECT

public:
    CWebPanelPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);

    bool OnInitDialog() override;

protected:
    void OnOK() override;

private:
    void FillControls(const settings::WebPanelSetting& web);
    settings::WebPanelSetting ReadControls() const;
    void EnableDetails();
    // Lists the addresses the window serves at now, or says why there are
    // none; `refusal` is what the window answered to the last "Apply".
    void ShowServer(const QString& refusal);
    void SetStatus(const QString& text, bool warning);

    SettingsHost& owner;
    std::string settingsPath;

    QCheckBox* enabledCheck = nullptr;
    QWidget* detailsBox = nullptr;
    QSpinBox* portSpin = nullptr;
    QCheckBox* othersCheck = nullptr;
    QLabel* statusLabel = nullptr;
    QWidget* urlBox = nullptr;
    QGridLayout* urlGrid = nullptr;
    QLabel* hintLabel = nullptr;
};

} // namespace vanemark
