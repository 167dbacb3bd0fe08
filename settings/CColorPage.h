#pragma once

#include "settings/CSettingsPage.h"

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;

namespace vanemark {

class CColourButton;
class SettingsHost;

// The six panel colours, plus the panel font and the title state, which the
// page carries along unchanged (their controls stay hidden). "Apply" stores
// everything in section "settings" and hands it to the running panel at once.
class CColorPage : public CSettingsPage {
    Q_OBJECT

public:
    // The colour roles, in the order of the page's rows and of its writes.
    enum Role : std::size_t { Background = 0, Instruments, FlapsMarks, PitchUp, PitchDown, Stick, RoleCount };

    CColorPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);

    bool OnInitDialog() override;

    CColourButton& Button(Role role) const { return *buttons[role]; }

protected:
    void OnOK() override;

private:
    SettingsHost& owner;
    std::string settingsPath;

    std::string fontName;
    std::int32_t fontSize = 0;
    bool showTitle = false;

    std::array<CColourButton*, RoleCount> buttons{};
    QCheckBox* showTitleCheck = nullptr;
};

} // namespace vanemark
