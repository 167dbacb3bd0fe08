#include "app/DeviceLinkFeed.h"

#include "app/AppEvents.h"
#include "app/LinkKeys.h"
#include "app/LinkStatusText.h"
#include "config/ServerSetting.h"
#include "config/SettingsSchema.h"
#include "core/ProfileFile.h"
#include "devicelink/DeviceLinkClient.h"

#include <QCoreApplication>

#include <atomic>
#include <cstdio>

namespace vanemark {

namespace {

constexpr int kStartRetryMs = 5000;
constexpr int kQuietMs = 1000;
// The aircraft's name rides on the frames; only the link's state needs events.
constexpr std::uint32_t kLinkEvents = DeviceLinkClient::Connected | DeviceLinkClient::Disconnected;

} // namespace

// What the client's thread and this object's thread share.
struct DeviceLinkFeed::Bridge {
    DeviceLinkClient::TimerCallback* cycleEntry = nullptr;
    DeviceLinkClient::EventSink* sinkEntry = nullptr;
    std::atomic<int> pendingCycles{0};
    std::atomic<bool> cyclesAlways{false};
    settings::ServerSetting server;
    bool stopped = false;
};

DeviceLinkFeed::DeviceLinkFeed(QObject* parent)
    : QObject(parent), client(std::make_unique<DeviceLinkClient>()), bridge(std::make_unique<Bridge>())
{
    startRetry.setInterval(kStartRetryMs);
    connect(&startRetry, &QTimer::timeout, this, &DeviceLinkFeed::RetryStart);
    quiet.setInterval(kQuietMs);
    connect(&quiet, &QTimer::timeout, this, &DeviceLinkFeed::OnQuietTimer);
}

DeviceLinkFeed::~DeviceLinkFeed()
{
    // No tick may post to an object that is going away.
    Stop();
}

void DeviceLinkFeed::Start(ProfileFile& settings, int intervalMs, bool cyclesAlways, bool verbose)
{
    using namespace settings;
    bridge->stopped = false;
    bridge->cyclesAlways = cyclesAlways;
    const std::string keyTable = settings.GetString(kSection, kKeyFileKey, kKeyFileDefault, kTextBuffer);
    if (client->LoadKeys(keyTable) < 1) {
        std::fprintf(stderr, "vanemark: no DeviceLink key could be read from %s; no value will be shown\n",
                     keyTable.c_str());
    }
    if (verbose) {
        client->SetLogger([](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fflush(stderr);
        });
    }
    // The client's thread must never do this object's work: it posts events.
    Bridge& shared = *bridge;
    const DeviceLinkClient& link = *client;
    bridge->cycleEntry = client->AddTimerCallback(
        [this, &shared, &link] {
            // While the link is down nothing a cycle shows can change; the
            // quiet timer keeps the status current meanwhile.
            if (!shared.cyclesAlways.load() && !link.IsConnected()) {
                return;
            }
            if (shared.pendingCycles.fetch_add(1) >= kMaxPendingCycles) {
                shared.pendingCycles.fetch_sub(1);
                return;
            }
            QCoreApplication::postEvent(this, new CycleEvent);
        },
        intervalMs, -1);
    bridge->sinkEntry = client->AddEventSink(
        [this](int linkEvent, std::uint32_t generation) {
            QCoreApplication::postEvent(this, new LinkEvent(linkEvent, generation));
        },
        kLinkEvents);
    client->SetHeartbeatId(kHeartbeatKey);
    client->SetAutoRequest(true);

    // Requests leave from the local address, so that the simulator's IPS
    // list, compared as text, can name it.
    const ServerSetting server =
        ParseServer(settings.GetString(kSection, kServerKey, kServerDefault, kServerTextBuffer));
    bridge->server = server;
    if (client->Start(server.host, server.port, server.localAddress) != 0) {
        std::fprintf(stderr, "vanemark: cannot use DeviceLink server %s port %d: %s; trying again every %d s\n",
                     server.host.c_str(), static_cast<int>(server.port), client->StartError().c_str(),
                     kStartRetryMs / 1000);
        startRetry.start();
    }
    std::string refused;
    for (const LinkKey& key : kSubscribedKeys) {
        if (client->SubscribeKey(key.id, intervalMs) < 0) {
            refused.append(refused.empty() ? "" : ", ").append(std::to_string(key.id));
        }
    }
    if (!refused.empty() && client->Status().keys > 0) {
        std::fprintf(stderr, "vanemark: ids %s are not readable keys of the key table; they are never asked for\n",
                     refused.c_str());
    }
    quiet.start();
}

void DeviceLinkFeed::RetryStart()
{
    const settings::ServerSetting& server = bridge->server;
    if (bridge->stopped || client->Start(server.host, server.port, server.localAddress) != 0) {
        return;
    }
    startRetry.stop();
    std::fprintf(stderr, "vanemark: DeviceLink client started for %s port %d\n", server.host.c_str(),
                 static_cast<int>(server.port));
}

void DeviceLinkFeed::Stop()
{
    bridge->stopped = true;
    startRetry.stop();
    quiet.stop();
    client->Stop();
    if (bridge->cycleEntry != nullptr) {
        client->RemoveTimerCallback(bridge->cycleEntry);
    }
    if (bridge->sinkEntry != nullptr) {
        client->RemoveEventSink(bridge->sinkEntry);
    }
    bridge->cycleEntry = nullptr;
    bridge->sinkEntry = nullptr;
}

void DeviceLinkFeed::SetInterval(int intervalMs)
{
    client->SetTimerPeriod(bridge->cycleEntry, intervalMs);
    client->SetPollInterval(intervalMs);
}

void DeviceLinkFeed::SetCyclesAlways(bool always)
{
    bridge->cyclesAlways = always;
    if (!always && !bridge->stopped && !client->IsConnected()) {
        quiet.start();
    }
}

bool DeviceLinkFeed::IsStarted() const
{
    return client->IsStarted();
}

bool DeviceLinkFeed::IsConnected() const
{
    return client->IsConnected();
}

bool DeviceLinkFeed::NotInCockpit() const
{
    return client->Status().silence == LinkSilence::NotInCockpit;
}

void DeviceLinkFeed::Fill(Frame& frame, std::uint32_t /*msSincePreviousCycle*/)
{
    ReadShownKeys(*client, frame);
    frame.aircraft = client->ReadKeyText(kTitleKey);
    frame.live = client->IsConnected();
}

QString DeviceLinkFeed::StatusText(bool live) const
{
    return LinkStatusText(client->Status(), live);
}

bool DeviceLinkFeed::NoReplyHintDue(bool live) const
{
    return vanemark::NoReplyHintDue(client->Status(), live);
}

void DeviceLinkFeed::OnQuietTimer()
{
    if (bridge->stopped) {
        return;
    }
    if (bridge->cyclesAlways.load() || client->IsConnected()) {
        quiet.stop(); // the cycles keep everything current again
        return;
    }
    Q_EMIT quietSecond();
}

bool DeviceLinkFeed::event(QEvent* e)
{
    if (e->type() == CycleEvent::EventType()) {
        bridge->pendingCycles.fetch_sub(1);
        if (!bridge->stopped) {
            Q_EMIT cycleDue();
        }
        return true;
    }
    if (e->type() == LinkEvent::EventType()) {
        const auto* link = static_cast<LinkEvent*>(e);
        OnLinkEvent(link->linkEvent, link->generation);
        return true;
    }
    return QObject::event(e);
}

void DeviceLinkFeed::OnLinkEvent(int linkEvent, std::uint32_t generation)
{
    if (bridge->stopped) {
        return;
    }
    switch (linkEvent) {
    case DeviceLinkClient::Disconnected:
        // The client's thread may have reconnected (and received fresh
        // values) since it raised this event; a stale loss must not wipe them.
        if (client->LinkGeneration() == generation) {
            Q_EMIT disconnected();
            quiet.start();
        }
        break;
    case DeviceLinkClient::Connected:
        Q_EMIT connected();
        break;
    default:
        break;
    }
}

} // namespace vanemark
