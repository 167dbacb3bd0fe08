#pragma once

#include "config/ServerSetting.h"
#include "settings/CSettingsPage.h"

#include <cstdint>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vanemark {

class CNumericSpin;
class SettingsHost;

// The simulator, DeviceLink's server, port and local address, and the
// update interval. "Apply" stores them in section "settings" of the settings
// file, switches the running window to the simulator chosen and retimes it;
// DeviceLink's connection settings take effect at the next start.
class CGeneralPage : public CSettingsPage {
    Q_OBJECT

public:
    CGeneralPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);

    bool OnInitDialog() override;

protected:
    void OnOK() override;

private:
    // Reads the controls into the fields; false (after telling the user and
    // focusing the field) on the first one that does not validate.
    bool ReadControls();
    void FillControls();
    void Refuse(QWidget& field, const QString& message);

    SettingsHost& owner;
    std::string settingsPath;

    settings::ServerSetting server;
    std::int32_t interval = 0;

    QComboBox* simulatorList = nullptr;
    QLineEdit* serverEdit = nullptr;
    QLineEdit* portEdit = nullptr;
    QLineEdit* localEdit = nullptr;
    CNumericSpin* intervalSpin = nullptr;
    QLabel* versionLabel = nullptr;
};

} // namespace vanemark
