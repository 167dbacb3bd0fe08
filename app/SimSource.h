#pragma once

#include "config/SimulatorSetting.h"
#include "simfeeds/SimReading.h"

#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>

namespace vanemark {

// One simulator other than DeviceLink: where its values come from, the
// latest of them, and whether it is answering. Everything runs on the
// window's thread, woken by the simulator's own datagrams or replies.
class SimSource : public QObject {
    Q_OBJECT

public:
    // A simulator silent this long has stopped (paused, quit, left the
    // battle): its values are no longer shown.
    static constexpr std::chrono::milliseconds kSilence{2000};

    explicit SimSource(settings::Simulator which, QObject* parent = nullptr) : QObject(parent), which(which) {}

    settings::Simulator Which() const { return which; }
    // Starts listening or asking; false after writing why to standard error.
    virtual bool Start(const settings::SimulatorSetting& setting, int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual void SetInterval(int /*intervalMs*/) {}
    // Once per cycle while this one is followed, and once a second while it
    // is not: for the sources that must ask.
    virtual void Poll() {}

    const SimReading& Latest() const { return latest; }
    bool Answering() const;
    // What the pilot reads in the tooltip, the simulator named.
    virtual QString StatusText() const = 0;

    void SetVerbose(bool on) { verbose = on; }
    // With --verbose, what was dropped since the last report; nothing when nothing was.
    void ReportDrops();
    std::uint64_t Dropped(Verdict verdict) const { return counts[static_cast<std::size_t>(verdict)]; }

    // The simulator's name as the pilot knows it, translated.
    static QString Name(settings::Simulator which);

Q_SIGNALS:
    // Something arrived and was taken (the values may be unchanged).
    void heard();

protected:
    // Counts the verdict; a packet taken (even with values made absent)
    // counts as hearing from the simulator.
    void Count(Verdict verdict);
    void Forget(); // the values of a simulator that went away
    SimReading latest;
    bool verbose = false;

private:
    settings::Simulator which;
    std::chrono::steady_clock::time_point lastHeard{};
    bool everHeard = false;
    std::array<std::uint64_t, kVerdictCount> counts{};
    std::array<std::uint64_t, kVerdictCount> reported{};
};

} // namespace vanemark
