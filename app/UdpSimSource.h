#pragma once

#include "app/SimSource.h"
#include "simfeeds/UdpPort.h"
#include "simfeeds/XPlaneRref.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vanemark {

// A simulator that speaks UDP to one port of ours. What waits on the port is
// read at each poll, once per cycle while the simulator is followed and once
// a second while it is not: the panel shows no more often than the cycle,
// and reading then needs no wake-up of its own.
class UdpSimSource : public SimSource {
    Q_OBJECT

public:
    using SimSource::SimSource;

    bool Start(const settings::SimulatorSetting& setting, int intervalMs) override;
    void Stop() override;
    // Reads every datagram waiting (within a bound) into the latest values.
    void Poll() override;
    int LocalPort() const { return port.LocalPort(); }

protected:
    // The port to bind; 0 lets the system choose (a simulator that answers
    // wherever its requests came from).
    virtual int PortOf(const settings::SimulatorSetting& setting) const = 0;
    virtual Verdict Read(std::span<const std::uint8_t> datagram) = 0;
    // After the port is open; false when the source cannot run.
    virtual bool Begin(const settings::SimulatorSetting& /*setting*/, int /*intervalMs*/) { return true; }
    // What a simulator that pushes to our port is doing: `silent` (with the
    // name as %1 and the port as %2) says what to check while nothing comes.
    QString ListenerStatus(const QString& silent) const;
    // The port as the pilot set it, for the status even when it could not be opened.
    int ShownPort() const { return port.LocalPort() != 0 ? port.LocalPort() : wantedPort; }
    UdpPort port;
    int wantedPort = 0;
    QString openError; // why the port could not be opened, empty while it is
};

// IL-2 Great Battles: motion and telemetry pushed to our port.
class Il2gbSource final : public UdpSimSource {
    Q_OBJECT
public:
    explicit Il2gbSource(QObject* parent = nullptr) : UdpSimSource(settings::Simulator::Il2gb, parent) {}
    QString StatusText() const override;

protected:
    int PortOf(const settings::SimulatorSetting& setting) const override { return setting.il2gbPort; }
    Verdict Read(std::span<const std::uint8_t> datagram) override;
};

// FlightGear: one line of our generic protocol per frame, pushed to our port.
class FlightGearSource final : public UdpSimSource {
    Q_OBJECT
public:
    explicit FlightGearSource(QObject* parent = nullptr) : UdpSimSource(settings::Simulator::FlightGear, parent) {}
    QString StatusText() const override;

protected:
    int PortOf(const settings::SimulatorSetting& setting) const override { return setting.flightGearPort; }
    Verdict Read(std::span<const std::uint8_t> datagram) override;
};

// X-Plane: subscribes to the data-refs at X-Plane's port, again every few
// seconds while it does not answer (it forgets subscriptions when it
// restarts), and ends them when stopped.
class XPlaneSource final : public UdpSimSource {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds kResubscribe{5};

    explicit XPlaneSource(QObject* parent = nullptr) : UdpSimSource(settings::Simulator::XPlane, parent) {}
    ~XPlaneSource() override;
    void Stop() override;
    void SetInterval(int intervalMs) override;
    void Poll() override;
    QString StatusText() const override;

protected:
    int PortOf(const settings::SimulatorSetting& /*setting*/) const override { return 0; }
    bool Begin(const settings::SimulatorSetting& setting, int intervalMs) override;
    Verdict Read(std::span<const std::uint8_t> datagram) override;

private:
    // Every subscription at `perSecond` (the name once a second), 0 ends them.
    void Subscribe(std::int32_t perSecond);

    XPlaneReplies replies;
    std::string host;
    int serverPort = 0;
    std::int32_t frequency = 0;
    std::chrono::steady_clock::time_point subscribed{};
    QString sendError;
};

} // namespace vanemark
