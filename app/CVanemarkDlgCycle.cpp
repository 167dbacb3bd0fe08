#include "app/CVanemarkDlg.h"

#include "app/LinkKeys.h"
#include "app/QtConversions.h"
#include "panel/CPanelCtrl.h"
#include "timing/HighResTimer.h"

#include <QHelpEvent>

#include <optional>
#include <string>

namespace vanemark {

int CVanemarkDlg::OnCalc()
{
    HighResTimer& clock = HighResTimer::Instance();
    const auto now = clock.IsRunning() ? static_cast<std::uint32_t>(clock.ElapsedMs()) : cycleClock.Previous();
    const std::uint32_t elapsed = cycleClock.Begin(now);

    shown.values = panel->Values();
    InUse().Fill(shown, elapsed);
    lastCycleChanged = panel->SetValues(shown.values);
    cycleClock.End(now);
    return 0;
}

bool CVanemarkDlg::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        status.ShowToolTip(static_cast<QHelpEvent*>(e)->globalPos(), !demo);
        return true;
    }
    return QWidget::event(e);
}

void CVanemarkDlg::OnCycleEvent()
{
    if (exitDone) {
        return;
    }
    OnCalc();
    recording.OnCycle(shown);
    status.OnCycle(cycleClock.Previous(), !demo, options.verbose, tray);
    FollowCockpit(cycleClock.Previous());
    // A cycle that changed nothing would draw the same picture again; with
    // the simulator paused or gone that is every cycle, so skip it. Every
    // other change (colours, font, title, connection) refreshes by itself.
    if (!drawnOnce || lastCycleChanged) {
        panel->Refresh();
        drawnOnce = true;
    }
    if (options.snapshotPath && ++cyclesRun >= options.snapshotCycles) {
        FinishSnapshot();
    }
}

Feed& CVanemarkDlg::InUse()
{
    if (demo) {
        return demoFeed;
    }
    return link;
}

void CVanemarkDlg::OnConnected()
{
    if (exitDone) {
        return;
    }
    panel->Refresh();
    UpdateIdleVisibility();
}

void CVanemarkDlg::OnAircraftNamed(const std::string& text)
{
    if (exitDone || text.size() < 2) {
        return;
    }
    // The name is asked for again every 2 s; the same one changes nothing.
    const QString title = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (title == windowTitle()) {
        return;
    }
    setWindowTitle(title);
    FollowAircraft(text);
    if (showTitle) {
        panel->Refresh();
    }
}

void CVanemarkDlg::OnDisconnected()
{
    if (exitDone) {
        return;
    }
    // No cycle runs until the link is back, so this is what shows meanwhile:
    // nothing the simulator no longer says.
    shown = Frame{};
    shown.values = panel->Values();
    SetAllAbsent(shown.values);
    panel->SetValues(shown.values);
    setWindowTitle(AppTitleText());
    FollowAircraft({});
    notInCockpit = false;
    panel->Refresh();
    UpdateIdleVisibility();
}
} // namespace vanemark
