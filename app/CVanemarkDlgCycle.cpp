#include "app/CVanemarkDlg.h"

#include "app/AppEvents.h"
#include "app/QtConversions.h"
#include "panel/CPanelCtrl.h"
#include "timing/HighResTimer.h"

#include <array>

namespace vanemark {

namespace {

// Everything a cycle writes into the panel.
struct ShownValues {
    std::array<double, 6 + BarCount> values{};

    static ShownValues Of(const CPanelCtrl& p)
    {
        ShownValues v;
        v.values = {p.speed, p.flaps, p.bank, p.pitch, p.stickX, p.stickY};
        for (std::size_t i = 0; i < BarCount; ++i)
            v.values[6 + i] = p.bars[i].value;
        return v;
    }
    bool operator==(const ShownValues&) const = default;
};

} // namespace

int CVanemarkDlg::OnCalc()
{
    const auto now = static_cast<std::uint32_t>(HighResTimer::Instance().ElapsedMs());
    const std::uint32_t elapsed = cycleClock.Begin(now);

    panel->BeginUpdate();
    {
        const std::lock_guard<std::mutex> lock(panelLock);
        if (demo) {
            const DemoFrame f = demoMotion.Step(elapsed);
            panel->speed = f.speed;
            panel->bars[PowerBar].value = f.power;
            panel->flaps = f.flaps;
            panel->bars[RudderBar].value = f.rudder;
            panel->bars[PropBar].value = f.prop;
            panel->bank = f.bank;
            panel->pitch = f.pitch;
            panel->stickX = f.stickX;
            panel->stickY = f.stickY;
            panel->bars[ATrimBar].value = f.aileronTrim;
            panel->bars[ETrimBar].value = f.elevatorTrim;
            panel->bars[RTrimBar].value = f.rudderTrim;
        } else {
            // A key the key table lacks leaves its panel value as it was.
            auto read = [this](std::int32_t id, double& target) {
                double v = 0.0;
                if (client.GetKeyDouble(id, v, 0) == 0)
                    target = v;
            };
            read(30, panel->speed);
            read(80, panel->bars[PowerBar].value);
            read(82, panel->flaps);
            read(88, panel->bars[RudderBar].value);
            read(92, panel->bars[PropBar].value);
            read(46, panel->bank);
            read(48, panel->pitch);
            read(84, panel->stickX);
            read(86, panel->stickY);
            read(90, panel->bars[BrakesBar].value);
            read(94, panel->bars[ATrimBar].value);
            read(96, panel->bars[ETrimBar].value);
            read(98, panel->bars[RTrimBar].value);
        }
    }
    panel->EndUpdate();
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
        OnLinkEvent(static_cast<LinkEvent*>(e)->linkEvent);
        return true;
    }
    return QWidget::event(e);
}

void CVanemarkDlg::OnCycleEvent()
{
    if (exitDone)
        return;
    const ShownValues before = ShownValues::Of(*panel);
    OnCalc();
    // A cycle that changed nothing would draw the same picture again; with
    // the simulator paused or gone that is every cycle, so skip it. Every
    // other change (colours, font, title, connection) refreshes by itself.
    if (!drawnOnce || !(ShownValues::Of(*panel) == before)) {
        panel->Refresh();
        drawnOnce = true;
    }
    if (options.snapshotPath && ++cyclesRun >= options.snapshotCycles)
        FinishSnapshot();
}

void CVanemarkDlg::OnLinkEvent(int linkEvent)
{
    if (exitDone)
        return;
    switch (linkEvent) {
    case DeviceLinkClient::Key22Received:
        OnKey22();
        break;
    case DeviceLinkClient::Disconnected:
        OnDisconnected();
        break;
    case DeviceLinkClient::Connected:
        panel->Refresh();
        break;
    default:
        break;
    }
}

void CVanemarkDlg::OnKey22()
{
    std::string text;
    if (client.GetKeyText(kTitleKey, text, 0) != 0 || text.size() < 2)
        return;
    setWindowTitle(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    if (showTitle)
        panel->Refresh();
}

void CVanemarkDlg::OnDisconnected()
{
    panel->BeginUpdate();
    {
        const std::lock_guard<std::mutex> lock(panelLock);
        client.ResetValues();
        panel->flaps = -1.0;
        panel->bars[PowerBar].value = -1.0;
        panel->bars[RudderBar].value = 0.0;
        panel->stickX = 0.0;
        panel->stickY = 0.0;
        panel->speed = 0.0;
    }
    panel->EndUpdate();
    setWindowTitle(AppTitleText());
    panel->Refresh();
}
} // namespace vanemark
