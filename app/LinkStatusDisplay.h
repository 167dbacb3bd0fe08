#pragma once

#include "app/FrameOutput.h"

#include <QPoint>
#include <QString>

#include <cstdint>

class QWidget;

namespace vanemark {

class SimulatorFeed;
class JoystickFeed;
class TrayIcon;

// Puts the connection status where a pilot can read it: the window's
// tooltip, the tray icon's tooltip and, with --verbose, standard error once
// the simulator has been quiet too long. The joysticks' state follows the
// link's. Everything is computed on demand or rides on the cycle that runs
// anyway: nothing here wakes the window's thread.
class LinkStatusDisplay final : public FrameOutput {
public:
    LinkStatusDisplay(const SimulatorFeed& link, const JoystickFeed& joysticks, QWidget& window)
        : link(link), joysticks(joysticks), window(window)
    {
    }

    // `live`: the simulator's link is what the window shows (not the demo).
    // `verbose`: the no-reply hint goes to standard error too.
    void Configure(bool live, bool verbose)
    {
        this->live = live;
        this->verbose = verbose;
    }
    // nullptr where the desktop has no tray.
    void SetTray(TrayIcon* icon) { tray = icon; }

    // Answers the window's tooltip request at `globalPos`.
    void ShowToolTip(const QPoint& globalPos) const;
    // Once per cycle (or quiet second): keeps a shown tooltip and the
    // visible tray icon's text current and writes the no-reply hint when it
    // first becomes due.
    void Take(const Frame& frame, std::uint32_t nowMs) override;
    QString Text() const;

private:
    const SimulatorFeed& link;
    const JoystickFeed& joysticks;
    QWidget& window;
    TrayIcon* tray = nullptr;
    bool live = true;
    bool verbose = false;
    bool hintWritten = false;
    bool trayEverSet = false;
    std::uint32_t trayUpdatedMs = 0;
};

} // namespace vanemark
