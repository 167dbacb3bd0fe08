#include "app/LinkStatusDisplay.h"

#include "app/DeviceLinkFeed.h"
#include "app/TrayIcon.h"

#include <QCursor>
#include <QToolTip>
#include <QWidget>

#include <cstdio>

namespace vanemark {

namespace {

// The tray's text is pushed to the desktop rather than asked for, so it
// follows the link at the pace its coarsest figure (tenths of a second of
// silence, replies per second) can be read, not at every cycle.
constexpr std::uint32_t kTrayRefreshMs = 1000;

} // namespace

QString LinkStatusDisplay::Text(bool live) const
{
    return feed.StatusText(live);
}

void LinkStatusDisplay::ShowToolTip(const QPoint& globalPos, bool live) const
{
    QToolTip::showText(globalPos, Text(live), &window);
}

void LinkStatusDisplay::OnCycle(std::uint32_t nowMs, bool live, bool verbose, TrayIcon* tray)
{
    if (QToolTip::isVisible() && window.underMouse()) {
        ShowToolTip(QCursor::pos(), live);
    }
    if (tray != nullptr && tray->IsVisible() && (!trayEverSet || nowMs - trayUpdatedMs >= kTrayRefreshMs)) {
        tray->SetToolTip(Text(live));
        trayEverSet = true;
        trayUpdatedMs = nowMs;
    }
    if (verbose && live && !hintWritten) {
        if (feed.NoReplyHintDue(live)) {
            hintWritten = true;
            std::fprintf(stderr, "vanemark: %s\n", Text(live).toLocal8Bit().constData());
            std::fflush(stderr);
        }
    }
}

} // namespace vanemark
