#include "app/UdpSimSource.h"

#include "simfeeds/FlightGearLine.h"
#include "simfeeds/Il2gbPacket.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace vanemark {

namespace {

// Datagrams read per poll: more than a second of any simulator's pushing,
// yet a flood cannot hold the window; the rest waits in the system's buffer.
constexpr std::size_t kDrainLimit = 256;

} // namespace

bool UdpSimSource::Start(const settings::SimulatorSetting& setting, int intervalMs)
{
    Stop();
    std::string error;
    const int wanted = PortOf(setting);
    wantedPort = wanted;
    if (!port.Open(wanted, error)) {
        openError = QString::fromStdString(error);
        std::fprintf(stderr, "vanemark: %s: cannot listen on UDP port %d: %s\n",
                     Name(Which()).toLocal8Bit().constData(), wanted, error.c_str());
        return false;
    }
    openError.clear();
    return Begin(setting, intervalMs);
}

void UdpSimSource::Stop()
{
    port.Close();
    Forget();
}

void UdpSimSource::Poll()
{
    port.Drain([this](std::span<const std::uint8_t> datagram) { Count(Read(datagram)); }, kDrainLimit);
}

QString UdpSimSource::ListenerStatus(const QString& silent) const
{
    const QString name = Name(Which());
    if (!openError.isEmpty()) {
        return QCoreApplication::translate("Simulator", "%1: cannot listen on UDP port %2: %3")
            .arg(name)
            .arg(ShownPort())
            .arg(openError);
    }
    if (Answering()) {
        return QCoreApplication::translate("Simulator", "%1: receiving on UDP port %2").arg(name).arg(ShownPort());
    }
    return silent.arg(name).arg(ShownPort());
}

Verdict Il2gbSource::Read(std::span<const std::uint8_t> datagram)
{
    return ReadIl2gbDatagram(datagram, latest);
}

QString Il2gbSource::StatusText() const
{
    return ListenerStatus(QCoreApplication::translate(
        "Simulator", "%1: nothing received on UDP port %2; are the motion and telemetry devices enabled in "
                     "data/startup.cfg?"));
}

Verdict FlightGearSource::Read(std::span<const std::uint8_t> datagram)
{
    return ReadFlightGearDatagram(std::string_view(reinterpret_cast<const char*>(datagram.data()), datagram.size()),
                                  latest);
}

QString FlightGearSource::StatusText() const
{
    return ListenerStatus(QCoreApplication::translate("Simulator",
                                                      "%1: nothing received on UDP port %2; was FlightGear "
                                                      "started with "
                                                      "--generic=socket,out,30,127.0.0.1,%2,udp,vanemark?"));
}

XPlaneSource::~XPlaneSource()
{
    XPlaneSource::Stop();
}

bool XPlaneSource::Begin(const settings::SimulatorSetting& setting, int intervalMs)
{
    host = setting.xplaneHost;
    serverPort = setting.xplanePort;
    SetInterval(intervalMs);
    return true;
}

void XPlaneSource::SetInterval(int intervalMs)
{
    frequency = std::max(1, static_cast<int>(std::lround(1000.0 / std::max(intervalMs, 1))));
    if (port.IsOpen()) {
        Subscribe(frequency);
    }
}

void XPlaneSource::Subscribe(std::int32_t perSecond)
{
    std::string error;
    bool sent = true;
    for (std::size_t i = 0; i < kXPlaneRefs.size() && sent; ++i) {
        sent =
            port.SendTo(host, serverPort, RrefRequest(perSecond, static_cast<std::int32_t>(i), kXPlaneRefs[i]), error);
    }
    for (std::size_t i = 0; i < kXPlaneNameLength && sent; ++i) {
        const std::string path = std::string(kXPlaneNameRef) + "[" + std::to_string(i) + "]";
        sent = port.SendTo(host, serverPort,
                           RrefRequest(perSecond == 0 ? 0 : 1, kXPlaneNameIndex + static_cast<std::int32_t>(i), path),
                           error);
    }
    sendError = sent ? QString() : QString::fromStdString(error);
    subscribed = std::chrono::steady_clock::now();
}

void XPlaneSource::Poll()
{
    UdpSimSource::Poll();
    if (port.IsOpen() && !Answering() && std::chrono::steady_clock::now() - subscribed >= kResubscribe) {
        Subscribe(frequency);
    }
}

void XPlaneSource::Stop()
{
    // X-Plane would otherwise go on sending to a port nobody reads.
    if (port.IsOpen()) {
        Subscribe(0);
    }
    UdpSimSource::Stop();
    replies = XPlaneReplies{};
}

Verdict XPlaneSource::Read(std::span<const std::uint8_t> datagram)
{
    return replies.Read(datagram, latest);
}

QString XPlaneSource::StatusText() const
{
    const QString name = Name(Which());
    const QString where = QString::fromStdString(host);
    if (!openError.isEmpty()) {
        return QCoreApplication::translate("Simulator", "%1: cannot open a UDP port: %2").arg(name, openError);
    }
    if (!sendError.isEmpty()) {
        return QCoreApplication::translate("Simulator", "%1: cannot ask %2 port %3: %4")
            .arg(name, where)
            .arg(serverPort)
            .arg(sendError);
    }
    if (Answering()) {
        return QCoreApplication::translate("Simulator", "%1: receiving from %2 port %3")
            .arg(name, where)
            .arg(serverPort);
    }
    return QCoreApplication::translate("Simulator", "%1: no answer from %2 port %3").arg(name, where).arg(serverPort);
}

} // namespace vanemark
