#include "app/CVanemarkDlg.h"

#include "app/PanelOutput.h"
#include "app/QtConversions.h"
#include "app/WebPanelOutput.h"
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

    route.Fill(shown, elapsed);
    cycleClock.End(now);
    return 0;
}

bool CVanemarkDlg::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        status.ShowToolTip(static_cast<QHelpEvent*>(e)->globalPos());
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
    route.Deliver(shown, cycleClock.Previous());
    FollowCockpit(cycleClock.Previous());
    if (options.snapshotPath && ++cyclesRun >= options.snapshotCycles) {
        FinishSnapshot();
    }
}

void CVanemarkDlg::WireFrames()
{
    route.AddFeed(demo ? static_cast<Feed&>(demoFeed) : sims);
    route.AddFeed(joysticks);
    route.AddOutput(*panelOutput);
    route.AddOutput(*webOutput);
    route.AddOutput(aircraftOutput);
    route.AddOutput(recording);
    route.AddOutput(status);
}

bool CVanemarkDlg::CyclesAlways() const
{
    return demo || options.snapshotPath.has_value() || joysticks.Active();
}

void CVanemarkDlg::SetHands(const settings::HandBindings& hands)
{
    joysticks.SetBindings(hands);
    sims.SetCyclesAlways(CyclesAlways());
    // One cycle now: it shows the new choice at once, and takes the hand
    // off the panel when no cycle would follow.
    OnCycleEvent();
    UpdateIdleVisibility();
}

void CVanemarkDlg::OnConnected()
{
    if (exitDone) {
        return;
    }
    panel->Refresh();
    UpdateIdleVisibility();
}

void CVanemarkDlg::OnAircraftChanged(const std::string& name)
{
    setWindowTitle(name.empty() ? AppTitleText()
                                : QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    FollowAircraft();
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
    route.Deliver(shown, static_cast<std::uint32_t>(HighResTimer::Instance().ElapsedMs()));
    notInCockpit = false;
    panel->Refresh();
    UpdateIdleVisibility();
}
} // namespace vanemark
