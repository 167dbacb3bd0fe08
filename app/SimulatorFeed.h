#pragma once

#include "app/Frame.h"
#include "app/SimSource.h"
#include "config/SimulatorSetting.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace vanemark {

class DeviceLinkFeed;
class ProfileFile;

// The simulator the window shows: DeviceLink as it always was, one of the
// other simulators, or (Automatic) all of them at once, following whichever
// answers and keeping to it while it does. With DeviceLink alone this is
// the DeviceLink feed and nothing more: its cycles, its link events and its
// status pass straight through. The others have no thread of their own:
// their datagrams and replies wake the window's thread, and a timer there
// makes the cycle while one of them is followed.
class SimulatorFeed : public QObject, public Feed {
    Q_OBJECT

public:
    explicit SimulatorFeed(DeviceLinkFeed& link, QObject* parent = nullptr);
    ~SimulatorFeed() override;
    SimulatorFeed(const SimulatorFeed&) = delete;
    SimulatorFeed& operator=(const SimulatorFeed&) = delete;

    // As DeviceLinkFeed::Start, with the simulator the settings name or,
    // given, `choice` (where to find it still from the settings).
    void Start(ProfileFile& settings, int intervalMs, bool cyclesAlways, bool verbose,
               std::optional<settings::Simulator> choice = std::nullopt);
    void Stop();
    void SetInterval(int intervalMs);
    void SetCyclesAlways(bool always);

    settings::Simulator Choice() const { return setting.simulator; }
    // The simulator whose values are shown now; nullopt while none answers.
    std::optional<settings::Simulator> Followed() const { return followed; }
    bool IsConnected() const;
    bool NotInCockpit() const;
    void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) override;
    QString StatusText(bool live) const;
    bool NoReplyHintDue(bool live) const;
    // The source of one of the other simulators while it is in use; nullptr otherwise.
    SimSource* Source(settings::Simulator which) const;

Q_SIGNALS:
    void cycleDue();
    void connected();
    void disconnected();
    void quietSecond();

private:
    bool LinkOnly() const { return setting.simulator == settings::Simulator::DeviceLink; }
    bool LinkAnswers() const;
    bool Answers(settings::Simulator which) const;
    // Whether DeviceLink's thread times the cycles now.
    bool LinkIsClock() const;
    // Picks what to follow, tells the window of a change and times the cycles for it.
    void Reconsider();
    void OnLinkCycle();
    void OnSecond();
    void OnTimerCycle();

    DeviceLinkFeed& link;
    settings::SimulatorSetting setting;
    std::vector<std::unique_ptr<SimSource>> sources;
    std::optional<settings::Simulator> followed;
    bool started = false;
    bool cyclesAlways = false;
    bool verbose = false;
    QTimer cycleTimer;
    QTimer second;
};

} // namespace vanemark
