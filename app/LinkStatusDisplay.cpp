#include "app/LinkStatusDisplay.h"

#include "app/JoystickFeed.h"
#include "app/SimulatorFeed.h"
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

QString LinkStatusDisplay::Text() const
{
    const QString hands = joysticks.StatusText();
    const QString text = link.StatusText(live);
    return hands.isEmpty() ? text : text + QLatin1Char('\n') + hands;
}

void LinkStatusDisplay::ShowToolTip(const QPoint& globalPos) const
{
    QToolTip::showText(globalPos, Text(), &window);
}

void LinkStatusDisplay::Take(const Frame& /*frame*/, std::uint32_t nowMs)
{
    if (QToolTip::isVisible() && window.underMouse()) {
        ShowToolTip(QCursor::pos());
    }
    if (tray != nullptr && tray->IsVisible() && (!trayEverSet || nowMs - trayUpdatedMs >= kTrayRefreshMs)) {
        tray->SetToolTip(Text());
        trayEverSet = true;
        trayUpdatedMs = nowMs;
    }
    if (verbose && live && !hintWritten) {
        if (link.NoReplyHintDue(live)) {
            hintWritten = true;
            std::fprintf(stderr, "vanemark: %s\n", link.StatusText(live).toLocal8Bit().constData());
            std::fflush(stderr);
        }
    }
}

} // namespace vanemark
