#include "app/CVanemarkDlg.h"

#include "app/AppEvents.h"
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

    PanelValues values = panel->Values();
    if (demo) {
        demoMotion.Step(elapsed, values);
    } else {
        ReadShownKeys(client, values);
    }
    lastCycleChanged = panel->SetValues(values);
    cycleClock.End(now);
    return 0;
}

bool CVanemarkDlg::event(QEvent* e)
{
    if (e->type() == CycleEvent::EventType()) {
        pendingCycles.fetch_sub(1);
        OnCycleEvent();
        return true;
    }
    if (e->type() == LinkEvent::EventType()) {
        const auto* link = static_cast<LinkEvent*>(e);
        OnLinkEvent(link->linkEvent, link->generation);
        return true;
    }
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
    recording.OnCycle(client, demo, panel->Values());
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

void CVanemarkDlg::OnLinkEvent(int linkEvent, std::uint32_t generation)
{
    if (exitDone) {
        return;
    }
    switch (linkEvent) {
    case DeviceLinkClient::Key22Received: {
        // From here on a new key 22 needs a new event; this one reads the text now.
        std::uint64_t mark = PendingTitleMark(generation);
        pendingTitle.compare_exchange_strong(mark, 0);
        OnKey22();
        break;
    }
    case DeviceLinkClient::Disconnected:
        OnDisconnected(generation);
        break;
    case DeviceLinkClient::Connected:
        panel->Refresh();
        UpdateIdleVisibility();
        break;
    default:
        break;
    }
}

void CVanemarkDlg::OnKey22()
{
    const std::optional<std::string> text = client.ReadKeyText(kTitleKey);
    if (!text || text->size() < 2) {
        return;
    }
    // The name is asked for again every 2 s; the same one changes nothing.
    const QString title = QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()));
    if (title == windowTitle()) {
        return;
    }
    setWindowTitle(title);
    FollowAircraft(*text);
    if (showTitle) {
        panel->Refresh();
    }
}

void CVanemarkDlg::OnDisconnected(std::uint32_t generation)
{
    // The tick thread may have reconnected (and received fresh values) since
    // it raised this event; a stale loss must not wipe them or the title.
    if (client.LinkGeneration() != generation) {
        return;
    }
    // No cycle runs until the link is back, so this is what shows meanwhile:
    // nothing the simulator no longer says.
    PanelValues values = panel->Values();
    SetAllAbsent(values);
    panel->SetValues(values);
    setWindowTitle(AppTitleText());
    FollowAircraft({});
    notInCockpit = false;
    panel->Refresh();
    UpdateIdleVisibility();
    linkWatch.start();
}
} // namespace vanemark
