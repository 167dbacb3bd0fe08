#include "app/SimulatorFeed.h"

#include "app/DeviceLinkFeed.h"
#include "app/UdpSimSource.h"
#include "app/WarThunderSource.h"
#include "core/ProfileFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace vanemark {

using settings::Simulator;

namespace {

constexpr int kSecondMs = 1000;
// Fill writes reading i to the value shown i + 1.
static_assert(kReadingCount + 1 == kShownCount);
static_assert(static_cast<std::size_t>(Shown::Speed) == static_cast<std::size_t>(Reading::Speed) + 1);
static_assert(static_cast<std::size_t>(Shown::RudderTrim) == static_cast<std::size_t>(Reading::RudderTrim) + 1);
static_assert(static_cast<std::size_t>(Shown::Brakes) == static_cast<std::size_t>(Reading::Brakes) + 1);

std::unique_ptr<SimSource> MakeSource(Simulator which)
{
    switch (which) {
    case Simulator::Il2gb:
        return std::make_unique<Il2gbSource>();
    case Simulator::XPlane:
        return std::make_unique<XPlaneSource>();
    case Simulator::FlightGear:
        return std::make_unique<FlightGearSource>();
    case Simulator::WarThunder:
        return std::make_unique<WarThunderSource>();
    default:
        return nullptr;
    }
}

} // namespace

SimulatorFeed::SimulatorFeed(DeviceLinkFeed& deviceLink, QObject* parent) : QObject(parent), link(deviceLink)
{
    cycleTimer.setTimerType(Qt::PreciseTimer);
    connect(&cycleTimer, &QTimer::timeout, this, &SimulatorFeed::OnTimerCycle);
    second.setInterval(kSecondMs);
    connect(&second, &QTimer::timeout, this, &SimulatorFeed::OnSecond);
    connect(&link, &DeviceLinkFeed::cycleDue, this, &SimulatorFeed::OnLinkCycle);
    connect(&link, &DeviceLinkFeed::connected, this, [this] {
        if (LinkOnly()) {
            Q_EMIT connected();
        } else {
            Reconsider();
        }
    });
    connect(&link, &DeviceLinkFeed::disconnected, this, [this] {
        if (LinkOnly()) {
            Q_EMIT disconnected();
        } else {
            Reconsider();
        }
    });
    connect(&link, &DeviceLinkFeed::quietSecond, this, [this] {
        if (LinkOnly() || (LinkIsClock() && !followed)) {
            Q_EMIT quietSecond();
        }
    });
}

SimulatorFeed::~SimulatorFeed()
{
    Stop();
}

void SimulatorFeed::Start(ProfileFile& settingsFile, int intervalMs, bool always, bool verboseLog,
                          std::optional<Simulator> choice)
{
    Stop();
    setting = settings::ReadSimulatorSetting(settingsFile);
    setting.simulator = choice.value_or(setting.simulator);
    cyclesAlways = always;
    verbose = verboseLog;
    started = true;
    cycleTimer.setInterval(intervalMs);
    for (const Simulator which : {Simulator::Il2gb, Simulator::XPlane, Simulator::FlightGear, Simulator::WarThunder}) {
        if (setting.simulator != which && setting.simulator != Simulator::Automatic) {
            continue;
        }
        auto source = MakeSource(which);
        source->SetVerbose(verbose);
        connect(source.get(), &SimSource::heard, this, [this] {
            if (!followed) {
                Reconsider();
            }
        });
        source->Start(setting, intervalMs);
        sources.push_back(std::move(source));
    }
    if (setting.Uses(Simulator::DeviceLink)) {
        link.Start(settingsFile, intervalMs, cyclesAlways, verbose);
    }
    if (!LinkOnly()) {
        second.start();
        Reconsider();
    }
}

void SimulatorFeed::Stop()
{
    link.Stop();
    second.stop();
    cycleTimer.stop();
    for (auto& source : sources) {
        source->Stop();
    }
    sources.clear();
    const bool wasFollowing = followed.has_value();
    followed.reset();
    if (started && wasFollowing) {
        Q_EMIT disconnected();
    }
    started = false;
}

void SimulatorFeed::SetInterval(int intervalMs)
{
    link.SetInterval(intervalMs);
    cycleTimer.setInterval(intervalMs);
    for (auto& source : sources) {
        source->SetInterval(intervalMs);
    }
}

void SimulatorFeed::SetCyclesAlways(bool always)
{
    cyclesAlways = always;
    link.SetCyclesAlways(always);
    if (started && !LinkOnly()) {
        Reconsider();
    }
}

SimSource* SimulatorFeed::Source(Simulator which) const
{
    const auto found = std::ranges::find(sources, which, &SimSource::Which);
    return found == sources.end() ? nullptr : found->get();
}

bool SimulatorFeed::LinkAnswers() const
{
    return setting.Uses(Simulator::DeviceLink) && link.IsConnected();
}

bool SimulatorFeed::Answers(Simulator which) const
{
    if (which == Simulator::DeviceLink) {
        return LinkAnswers();
    }
    const SimSource* source = Source(which);
    return source != nullptr && source->Answering();
}

bool SimulatorFeed::LinkIsClock() const
{
    return setting.Uses(Simulator::DeviceLink) && (!followed || *followed == Simulator::DeviceLink);
}

void SimulatorFeed::Reconsider()
{
    if (!started) {
        return;
    }
    std::optional<Simulator> next;
    if (followed && Answers(*followed)) {
        next = followed; // keep to the one flying while it answers
    } else if (LinkAnswers()) {
        next = Simulator::DeviceLink;
    } else {
        for (const auto& source : sources) {
            if (source->Answering()) {
                next = source->Which();
                break;
            }
        }
    }
    const bool changed = next != followed;
    followed = next;
    const bool timerWanted = !LinkIsClock() && (followed || cyclesAlways);
    if (timerWanted && !cycleTimer.isActive()) {
        cycleTimer.start();
    } else if (!timerWanted) {
        cycleTimer.stop();
    }
    if (changed) {
        if (followed) {
            Q_EMIT connected();
        } else {
            Q_EMIT disconnected();
        }
    }
}

void SimulatorFeed::OnLinkCycle()
{
    if (LinkOnly() || LinkIsClock()) {
        Q_EMIT cycleDue();
    }
}

void SimulatorFeed::OnTimerCycle()
{
    if (followed && *followed != Simulator::DeviceLink) {
        if (SimSource* source = Source(*followed)) {
            source->Poll();
        }
    }
    Q_EMIT cycleDue();
}

void SimulatorFeed::OnSecond()
{
    for (auto& source : sources) {
        if (!followed || *followed != source->Which()) {
            source->Poll();
        }
        source->ReportDrops();
    }
    Reconsider();
    if (!followed && !cyclesAlways && !LinkIsClock()) {
        Q_EMIT quietSecond();
    }
}

bool SimulatorFeed::IsConnected() const
{
    return LinkOnly() ? link.IsConnected() : followed.has_value();
}

bool SimulatorFeed::NotInCockpit() const
{
    return (LinkOnly() || followed == Simulator::DeviceLink) && link.NotInCockpit();
}

void SimulatorFeed::Fill(Frame& frame, std::uint32_t msSincePreviousCycle)
{
    if (LinkOnly() || LinkIsClock()) {
        link.Fill(frame, msSincePreviousCycle);
        return;
    }
    const SimSource* source = followed ? Source(*followed) : nullptr;
    const SimReading reading = source != nullptr ? source->Latest() : SimReading{};
    for (std::size_t i = 0; i < kReadingCount; ++i) {
        // Shown lists Nothing first, then the readings in the same order.
        const auto shows = static_cast<Shown>(i + 1);
        *Slot(frame.values, shows) = reading.values[i];
        frame.sources[static_cast<std::size_t>(shows)] =
            std::isnan(reading.values[i]) ? FrameSource::None : FrameSource::Simulator;
    }
    frame.aircraft = reading.aircraft;
    frame.live = source != nullptr;
}

QString SimulatorFeed::StatusText(bool live) const
{
    if (LinkOnly() || !live) {
        return link.StatusText(live);
    }
    const auto linkText = [this, live] {
        return QCoreApplication::translate("Simulator", "%1: %2")
            .arg(SimSource::Name(Simulator::DeviceLink), link.StatusText(live));
    };
    if (followed == Simulator::DeviceLink) {
        return linkText();
    }
    if (followed) {
        return Source(*followed)->StatusText();
    }
    // Nothing answers: what each one we wait for says.
    QStringList lines;
    if (setting.Uses(Simulator::DeviceLink)) {
        lines << linkText();
    }
    for (const auto& source : sources) {
        lines << source->StatusText();
    }
    return lines.join(QLatin1Char('\n'));
}

bool SimulatorFeed::NoReplyHintDue(bool live) const
{
    return (LinkOnly() || LinkIsClock()) && link.NoReplyHintDue(live);
}

} // namespace vanemark
