#pragma once

#include "app/Frame.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

namespace vanemark {

class DeviceLinkClient;
class ProfileFile;

// The simulator's values, as its DeviceLink server says them. Owns the
// client: loads its key table, starts it for the "server" of the settings
// (trying again while it cannot), and turns what the client's own thread
// notices into signals on this object's thread, the window's. Nothing here
// touches a widget.
class DeviceLinkFeed : public QObject, public Feed {
    Q_OBJECT

public:
    // Cycles allowed to wait in the queue; a window that falls behind skips
    // cycles instead of piling them up without bound.
    static constexpr int kMaxPendingCycles = 8;

    explicit DeviceLinkFeed(QObject* parent = nullptr);
    ~DeviceLinkFeed() override;
    DeviceLinkFeed(const DeviceLinkFeed&) = delete;
    DeviceLinkFeed& operator=(const DeviceLinkFeed&) = delete;

    // Reads the key table and "server" from `settings` and starts, a cycle
    // due every `intervalMs`. With `cyclesAlways` (the demo, a snapshot) the
    // cycles run whatever the link does; else only while it is up, and
    // quietSecond() keeps the rest current while it is down. `verbose` hands
    // the client's diagnostics to standard error.
    void Start(ProfileFile& settings, int intervalMs, bool cyclesAlways, bool verbose);
    // No cycle or signal comes after this. Safe to call repeatedly.
    void Stop();
    void SetInterval(int intervalMs);
    // Whether cycles run while the link is down, as Start's `cyclesAlways`.
    void SetCyclesAlways(bool always);

    bool IsStarted() const;
    bool IsConnected() const;
    // The simulator answers only its clock: the pilot is dead, in a gunner's
    // seat or under a parachute.
    bool NotInCockpit() const;
    // The shown values as the simulator last said them (NaN where it has
    // not), the aircraft it names now, and whether the link is up.
    void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) override;
    // The link's state in words, for the tooltip and the tray.
    QString StatusText(bool live) const;
    // Whether StatusText says what to check because nothing answers.
    bool NoReplyHintDue(bool live) const;

    DeviceLinkClient& Client() { return *client; }
    const DeviceLinkClient& Client() const { return *client; }

Q_SIGNALS:
    void cycleDue();
    void connected();
    // Only for the link as it stands: a loss the client has already
    // reconnected from is not told.
    void disconnected();
    // Once a second while the link is down and no cycle runs.
    void quietSecond();

protected:
    bool event(QEvent* e) override;

private:
    struct Bridge;
    void OnLinkEvent(int linkEvent, std::uint32_t generation);
    void RetryStart();
    void OnQuietTimer();

    std::unique_ptr<DeviceLinkClient> client;
    std::unique_ptr<Bridge> bridge;
    QTimer startRetry; // while the client cannot start (a local address not there yet)
    QTimer quiet;
};

} // namespace vanemark
