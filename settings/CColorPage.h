#pragma once

#include "config/PanelColours.h"
#include "settings/CSettingsPage.h"

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QLabel;

namespace vanemark {

class CColourButton;
class SettingsHost;

// The six panel colours, the panel font and the title strip. "Apply" stores
// everything in section "settings" and hands it to the running window at once.
class CColorPage : public CSettingsPage {
    Q_OBJECT

public:
    CColorPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);

    bool OnInitDialog() override;

    CColourButton& Button(PanelColours::Role role) const { return *buttons[role]; }

protected:
    void OnOK() override;

private:
    // The font dialog; the choice waits for "Apply" like the colours.
    void ChooseFont();
    void ShowFontName();

    SettingsHost& owner;
    std::string settingsPath;

    std::string fontName;
    std::int32_t fontSize = 0;
    bool showTitle = false;

    std::array<CColourButton*, PanelColours::RoleCount> buttons{};
    QCheckBox* showTitleCheck = nullptr;
    QLabel* fontNameLabel = nullptr;
};

} // namespace vanemark
