#include "devicelink/DeviceLinkClient.h"

#include "devicelink/detail/ClientEngine.h"

#include <chrono>
#include <utility>

namespace vanemark {

DeviceLinkClient::DeviceLinkClient() : engine(std::make_unique<detail::ClientEngine>()) {}

DeviceLinkClient::~DeviceLinkClient() = default;

int DeviceLinkClient::LoadKeys(const std::string& path)
{
    return engine->LoadKeys(path);
}

int DeviceLinkClient::Start(std::string_view host, int port, std::string_view local)
{
    // Kept also when Start fails: the status then names what was tried. Not
    // from the client's own thread, where the engine refuses to start and
    // the owner's thread may be reading them.
    if (!detail::ClientEngine::OnTickThread()) {
        serverHost = host;
        serverPort = port;
        localAddress = local;
    }
    return engine->Start(host, port, local);
}

int DeviceLinkClient::Stop()
{
    return engine->Stop();
}

bool DeviceLinkClient::IsStarted() const
{
    return engine->IsStarted();
}

int DeviceLinkClient::LocalPort() const
{
    return engine->LocalPort();
}

DeviceLinkClient::TimerCallback* DeviceLinkClient::AddTimerCallback(std::function<void()> fn, int periodMs, int startMs)
{
    return engine->AddTimerCallback(std::move(fn), periodMs, startMs);
}

int DeviceLinkClient::SetTimerPeriod(TimerCallback* entry, int periodMs)
{
    return engine->SetTimerPeriod(entry, periodMs);
}

int DeviceLinkClient::RemoveTimerCallback(TimerCallback* entry)
{
    return engine->RemoveTimerCallback(entry);
}

DeviceLinkClient::EventSink* DeviceLinkClient::AddEventSink(EventFn fn, std::uint32_t mask)
{
    return engine->AddEventSink(std::move(fn), mask);
}

int DeviceLinkClient::RemoveEventSink(EventSink* entry)
{
    return engine->RemoveEventSink(entry);
}

int DeviceLinkClient::SubscribeKey(std::int32_t id, int periodMs)
{
    return engine->SubscribeKey(id, periodMs);
}

int DeviceLinkClient::SetPollInterval(int periodMs)
{
    return engine->SetPollInterval(periodMs);
}

void DeviceLinkClient::SetHeartbeatId(std::int32_t id)
{
    engine->SetHeartbeatId(id);
}

void DeviceLinkClient::SetAutoRequest(bool on)
{
    engine->SetAutoRequest(on);
}

int DeviceLinkClient::GetKeyDouble(std::int32_t id, double& out, int sync)
{
    return engine->GetKeyDouble(id, out, sync);
}

int DeviceLinkClient::GetKeyText(std::int32_t id, std::string& out, int sync)
{
    return engine->GetKeyText(id, out, sync);
}

std::uint32_t DeviceLinkClient::LinkGeneration() const
{
    return engine->LinkGeneration();
}

int DeviceLinkClient::ResetValues(std::uint32_t generation)
{
    return engine->ResetValues(generation);
}

bool DeviceLinkClient::IsConnected() const
{
    return engine->IsConnected();
}

void DeviceLinkClient::SetLogger(Logger fn)
{
    engine->SetLogger(std::move(fn));
}

void DeviceLinkClient::SetRawHook(RawHook fn)
{
    engine->SetRawHook(std::move(fn));
}

DeviceLinkClient::LinkStatus DeviceLinkClient::Status() const
{
    using Seconds = std::chrono::duration<double>;
    const LinkMonitor& link = engine->Link();
    const auto now = LinkMonitor::Clock::now();
    LinkStatus status;
    status.host = serverHost;
    status.port = serverPort;
    status.localAddress = localAddress;
    status.localPort = engine->LocalPort();
    status.started = engine->IsStarted();
    status.connected = status.started && engine->IsConnected();
    status.sinceStart = Seconds(link.SinceReset(now)).count();
    if (const auto since = link.SinceLastReply(now)) {
        status.sinceLastReply = Seconds(*since).count();
    }
    status.repliesPerSecond = link.RepliesPerSecond(now);
    status.aircraft = engine->ReadKeyText(detail::ClientEngine::kAircraftKey).value_or(std::string());
    if (status.connected) {
        engine->Values().PolledKeys(status.polledKeys, status.silentKeys, now);
        status.silence = ClassifySilence(status.polledKeys, status.silentKeys, true);
    }
    status.startError = engine->StartError();
    status.keyTable = engine->KeyTablePath();
    status.keys = engine->KeysLoaded();
    status.refusedKeys = engine->RefusedKeys();
    return status;
}

void DeviceLinkClient::ReadKeys(std::span<const std::int32_t> ids, std::span<std::optional<double>> out) const
{
    engine->ReadKeys(ids, out);
}

std::optional<std::string> DeviceLinkClient::ReadKeyText(std::int32_t id) const
{
    return engine->ReadKeyText(id);
}

std::string DeviceLinkClient::StartError() const
{
    return engine->StartError();
}

} // namespace vanemark
