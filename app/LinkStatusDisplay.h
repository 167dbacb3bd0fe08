#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>

class QWidget;

namespace vanemark {

class DeviceLinkFeed;
class TrayIcon;

// Puts the connection status where a pilot can read it: the window's
// tooltip, the tray icon's tooltip and, with --verbose, standard error once
// the simulator has been quiet too long. Everything is computed on demand or
// rides on the cycle that runs anyway: nothing here wakes the window's thread.
class LinkStatusDisplay {
public:
    LinkStatusDisplay(const DeviceLinkFeed& feed, QWidget& window) : feed(feed), window(window) {}

    // Answers the window's tooltip request at `globalPos`.
    void ShowToolTip(const QPoint& globalPos, bool live) const;
    // Once per cycle at `nowMs` (a steady millisecond clock): keeps a shown
    // tooltip and the visible tray icon's text current and writes the
    // no-reply hint when it first becomes due.
    void OnCycle(std::uint32_t nowMs, bool live, bool verbose, TrayIcon* tray);

private:
    QString Text(bool live) const;

    const DeviceLinkFeed& feed;
    QWidget& window;
    bool hintWritten = false;
    bool trayEverSet = false;
    std::uint32_t trayUpdatedMs = 0;
};

} // namespace vanemark
