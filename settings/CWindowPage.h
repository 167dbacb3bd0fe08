#pragma once

#include "config/OverlaySettings.h"
#include "settings/CSettingsPage.h"

#include <string>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace vanemark {

class SettingsHost;

// How the overlay sits on the desktop: scale, opacity, speed unit and hiding
// while the simulator is away. "Apply" stores them in section "settings" and
// the running window takes them at once.
class CWindowPage : public CSettingsPage {
    Q_OBJECT

public:
    CWindowPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);

    bool OnInitDialog() override;

protected:
    void OnOK() override;

private:
    void FillControls(const settings::OverlaySettings& overlay);

    SettingsHost& owner;
    std::string settingsPath;

    QSpinBox* scaleSpin = nullptr;
    QSpinBox* opacitySpin = nullptr;
    QComboBox* unitList = nullptr;
    QCheckBox* hideIdleCheck = nullptr;
};

} // namespace vanemark
