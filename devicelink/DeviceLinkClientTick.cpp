// The tick of DeviceLinkClient: reception, timer callbacks, poll, heartbeat
// and the connection events.
#include "devicelink/DeviceLinkClient.h"

#include "devicelink/DeviceLinkSocket.h"

#include <array>
#include <string>

namespace vanemark {

namespace {

thread_local bool insideTick = false;

} // namespace

bool DeviceLinkClient::OnTickThread()
{
    return insideTick;
}

void DeviceLinkClient::OnTick()
{
    tickCount.fetch_add(1, std::memory_order_relaxed);
    if (tickBusy.exchange(true, std::memory_order_acq_rel)) {
        return;
    }
    insideTick = true;
    ReceiveDatagrams();
    RunTimerCallbacks();
    BuildPoll();
    Heartbeat();
    insideTick = false;
    tickBusy.store(false, std::memory_order_release);
}

// The server answers every request datagram and splits long answers, so a
// tick can find several replies waiting; reading only one per tick would let
// the socket queue, and the age of the values, grow without bound. The bound
// keeps a flood from stalling the tick.
void DeviceLinkClient::ReceiveDatagrams()
{
    if (!socket || !started.load()) {
        return;
    }
    std::array<char, kMaxDatagram + 1> buffer; // NOLINT(cppcoreguidelines-pro-type-member-init): filled by the read
    for (int count = 0; count < kMaxDatagramsPerTick; ++count) {
        const auto result = socket->Receive(std::span<char>(buffer.data(), kMaxDatagram));
        if (result.status == DeviceLinkSocket::ReadStatus::Nothing) {
            return;
        }
        if (result.status == DeviceLinkSocket::ReadStatus::Error) {
            Log("OnTick(): socket error %d while reading replies.\n", result.error);
            return;
        }
        if (!socket->IsFromServer(result.sender)) {
            // Only the server may set values or keep the connection alive.
            if (Logging()) {
                const std::string sender = result.sender.address().to_string();
                Log("Dropped a datagram of %zu bytes from %s:%u: not the server.\n", result.size, sender.c_str(),
                    static_cast<unsigned>(result.sender.port()));
            }
            continue;
        }
        if (result.size == 0) {
            continue;
        }
        HandleDatagram(std::string_view(buffer.data(), result.size));
    }
}

void DeviceLinkClient::HandleDatagram(std::string_view datagram)
{
    if (hasRawHook.load(std::memory_order_relaxed)) {
        std::shared_ptr<const RawHook> hook;
        {
            std::lock_guard lock(hookLock);
            hook = rawHook;
        }
        if (hook) {
            (*hook)(datagram);
        }
    }
    if (Logging()) {
        const std::string text(datagram.substr(0, datagram.find('\0')));
        Log("Received: %s\n", text.c_str());
    }
    if (datagram[0] == 'A' && heartbeatId.load() == 0) {
        const std::int32_t counter = linkCounter.load();
        if (counter < 4) {
            linkCounter.store(counter + 1);
            if (counter + 1 == 1) {
                OnConnected();
            }
        }
    }
    ParseReply(datagram);
}

void DeviceLinkClient::RunTimerCallbacks()
{
    for (TimerCallback* entry = timerCallbacks.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next.load(std::memory_order_acquire)) {
        const std::int32_t countdown = entry->countdownTicks.load(std::memory_order_relaxed);
        if (countdown > 1) {
            entry->countdownTicks.store(countdown - 1, std::memory_order_relaxed);
            continue;
        }
        if (entry->enabled.load()) {
            entry->fn();
        }
        entry->countdownTicks.store(entry->reloadTicks.load(), std::memory_order_relaxed);
    }
}

void DeviceLinkClient::Heartbeat()
{
    const std::int32_t id = heartbeatId.load();
    const std::int32_t ticks = heartbeatTicks.load();
    if (id == 0 || ticks == 0) {
        return;
    }
    if (heartbeatPhase == 0) {
        const DeviceLinkKey* key = KeyById(id);
        while (key != nullptr && key->IsIndexed()) {
            key = key->NextOfId();
        }
        bool readable = false;
        if (key != nullptr) {
            std::lock_guard lock(valuesLock);
            readable = key->Has(TypedValue::Readable);
        }
        if (readable) {
            // Leaves with the next tick's poll.
            Send(KeyReadRequest(*key), false);
        }
        const std::int32_t counter = linkCounter.load();
        if (counter >= 0) {
            linkCounter.store(counter - 1);
            if (counter - 1 == -1) {
                OnDisconnected();
            }
        }
    }
    heartbeatPhase = (heartbeatPhase + 1) % (ticks > 0 ? ticks : 1);
}

void DeviceLinkClient::OnConnected()
{
    if (autoRequest.load() != 0) {
        Send(kConnectionRequest, true);
    }
    {
        std::lock_guard lock(valuesLock);
        for (DeviceLinkKey& key : table.Keys()) {
            key.SetInt(0);
        }
    }
    BuildPoll();
    Notify(Connected);
}

void DeviceLinkClient::OnDisconnected()
{
    {
        std::lock_guard lock(valuesLock);
        for (DeviceLinkKey& key : table.Keys()) {
            key.Clear();
        }
    }
    Notify(Disconnected);
}

} // namespace vanemark
