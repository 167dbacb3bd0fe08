#pragma once

#include "config/CommandBindings.h"
#include "config/HandBindings.h"
#include "config/OverlaySettings.h"
#include "config/PanelColours.h"
#include "config/SimulatorSetting.h"
#include "config/WebPanelSetting.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vanemark {

// What the settings pages need of the running main window. The main window
// implements it and hands itself to CSettingsDlg, so the dialog never has to
// know the application's window class, and pages change the panel only
// through these calls.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // Path of Vanemark.ini, the file every page writes its keys to.
    virtual std::string SettingsPath() const = 0;

    // The interval the window runs at, in milliseconds.
    virtual std::int32_t Interval() const = 0;
    // Retimes the calculation cycle and the DeviceLink polls. The window
    // ignores a value equal to its current interval, raises it to at least
    // 25 and cuts it down to a multiple of 25 (no upper limit).
    virtual void SetInterval(std::int32_t milliseconds) = 0;

    // The panel font as the window keeps it (face name, size in points).
    virtual std::string PanelFontName() const = 0;
    virtual std::int32_t PanelFontSize() const = 0;
    // Stores the font and makes it the panel's font; does not redraw.
    virtual void SetPanelFont(const std::string& faceName, std::int32_t pointSize) = 0;

    // Whether the panel shows its title strip.
    virtual bool ShowTitle() const = 0;
    // Stores the state, tells the panel and refreshes it.
    virtual void SetShowTitle(bool show) = 0;

    // The six panel colours; SetColours hands them to the panel and redraws it.
    virtual PanelColours Colours() const = 0;
    virtual void SetColours(const PanelColours& colours) = 0;

    // Scale, opacity, speed unit and hiding while idle. SetOverlay holds the
    // numbers to their ranges and applies everything at once, redrawing.
    virtual settings::OverlaySettings Overlay() const = 0;
    virtual void SetOverlay(const settings::OverlaySettings& overlay) = 0;
    // Whether the desktop shows tray icons; hiding the window needs one, or
    // nothing could bring it back.
    virtual bool TrayAvailable() const = 0;

    // Which joystick axis stands for each control, and where the panel takes
    // each value from. SetHands starts reading the joysticks when an axis is
    // bound, stops when none is, and redraws.
    virtual settings::HandBindings Hands() const = 0;
    virtual void SetHands(const settings::HandBindings& hands) = 0;

    // The built-in web panel, where the build has one. SetWebPanel starts, moves or stops its server
    // at once and returns why it cannot listen (a port in use), empty when
    // it runs or is off. WebPanelUrls are the addresses to copy while it runs.
    virtual bool WebPanelAvailable() const = 0;
    virtual settings::WebPanelSetting WebPanel() const = 0;
    virtual std::string SetWebPanel(const settings::WebPanelSetting& web) = 0;
    virtual std::vector<std::string> WebPanelUrls() const = 0;

    // The commands' key combinations and joystick buttons. SetCommands binds
    // them at once. CommandProblems says per command why its combination
    // does not work ("Ctrl+Alt+H is taken"), empty where it works;
    // HotkeysUnavailable why this desktop has no global hotkeys at all.
    virtual settings::CommandBindings Commands() const = 0;
    virtual void SetCommands(const settings::CommandBindings& commands) = 0;
    virtual std::array<std::string, settings::kCommandCount> CommandProblems() const = 0;
    virtual std::string HotkeysUnavailable() = 0;

    // The simulator the window listens to. SetSimulator reads where to find
    // it from the settings file (the page has written it) and switches at once.
    virtual settings::Simulator Simulator() const = 0;
    virtual void SetSimulator(settings::Simulator simulator) = 0;

protected:
    SettingsHost() = default;
    SettingsHost(const SettingsHost&) = default;
    SettingsHost& operator=(const SettingsHost&) = default;
};

} // namespace vanemark
