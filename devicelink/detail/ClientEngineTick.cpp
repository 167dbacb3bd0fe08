// The tick thread's side of the client: reception, timer callbacks, poll,
// heartbeat and the connection events.
#include "devicelink/detail/ClientEngine.h"

#include "devicelink/DeviceLinkSocket.h"
#include "devicelink/ReplyParser.h"

#include <array>
#include <span>
#include <string>

namespace vanemark::detail {

namespace {

thread_local bool insideTick = false;

} // namespace

bool ClientEngine::OnTickThread()
{
    return insideTick;
}

void ClientEngine::OnTick()
{
    tickCount.fetch_add(1, std::memory_order_relaxed);
    insideTick = true;
    ReceiveDatagrams();
    callbacks.RunTimers();
    schedule.BuildPoll();
    Heartbeat();
    insideTick = false;
}

// The server answers every request datagram and splits long answers, so a
// tick can find several replies waiting; reading only one per tick would let
// the socket queue, and the age of the values, grow without bound. The bound
// keeps a flood from stalling the tick.
void ClientEngine::ReceiveDatagrams()
{
    if (!socket || !IsStarted()) {
        return;
    }
    std::array<char, kMaxDatagram + 1> buffer; // NOLINT(cppcoreguidelines-pro-type-member-init): filled by the read
    for (int count = 0; count < kMaxDatagramsPerTick; ++count) {
        const auto result = socket->Receive(buffer);
        if (result.status == DeviceLinkSocket::ReadStatus::Nothing) {
            return;
        }
        if (result.status == DeviceLinkSocket::ReadStatus::Error) {
            log.Log("OnTick(): socket error %d while reading replies.\n", result.error);
            return;
        }
        if (!socket->IsFromServer(result.sender)) {
            // Only the server may set values or keep the connection alive.
            if (log.Logging()) {
                const std::string sender = result.sender.address().to_string();
                log.Log("Dropped a datagram of %zu bytes from %s:%u: not the server.\n", result.size, sender.c_str(),
                        static_cast<unsigned>(result.sender.port()));
            }
            continue;
        }
        if (result.size > kMaxDatagram) {
            // The socket drops whatever does not fit without a word, so a
            // full buffer is the only sign that the datagram went on.
            log.Log("Cut short: a datagram of more than %zu bytes; its field at the cut is dropped.\n", kMaxDatagram);
            HandleDatagram(std::string_view(buffer.data(), kMaxDatagram), true);
        } else if (result.size > 0) {
            // An empty datagram says nothing, but the replies behind it still count.
            HandleDatagram(std::string_view(buffer.data(), result.size), false);
        }
    }
}

void ClientEngine::HandleDatagram(std::string_view datagram, bool cut)
{
    log.Raw(datagram);
    if (log.Logging()) {
        const std::string text(datagram.substr(0, datagram.find('\0')));
        log.Log("Received: %s\n", text.c_str());
    }
    if (datagram[0] == 'A' && link.OnReply()) {
        OnConnected();
    }
    ParseReply(datagram, cut);
}

int ClientEngine::ParseReply(std::string_view datagram, bool cut)
{
    const ReplyParser parser(values.Table());
    bool title = false;
    const int applied = parser.Parse(
        datagram,
        [this, &title](DeviceLinkKey& key, std::string_view value) {
            ApplyField(key, value);
            title = title || key.Id() == 22;
        },
        cut);
    // One event for a datagram full of titles: its sink reads the last one.
    if (title) {
        callbacks.Notify(Key22Received, values.Generation());
    }
    return applied;
}

void ClientEngine::ApplyField(DeviceLinkKey& key, std::string_view value)
{
    const std::uint32_t flags = values.Assign(key, value);
    if (key.Id() == link.HeartbeatId() && key.Id() != 0 && link.OnHeartbeat()) {
        OnConnected();
    }
    if (log.Logging()) {
        log.Log("Setting %s. Flags %08X\n", key.Name().c_str(), flags);
    }
}

void ClientEngine::Heartbeat()
{
    const LinkMonitor::Beat beat = link.OnTick();
    if (beat.request) {
        const DeviceLinkKey* key = KeyById(link.HeartbeatId());
        while (key != nullptr && key->IsIndexed()) {
            key = key->NextOfId();
        }
        if (key != nullptr && (values.Flags(*key) & TypedValue::Readable) != 0) {
            // Leaves with the next tick's poll.
            queue.Send(KeyReadRequest(*key), false);
        }
    }
    if (beat.lost) {
        OnDisconnected();
    }
}

void ClientEngine::OnConnected()
{
    if (autoRequest.load()) {
        queue.Send(kConnectionRequest, true);
    }
    const std::uint32_t generation = values.ZeroAll();
    schedule.BuildPoll();
    callbacks.Notify(Connected, generation);
}

void ClientEngine::OnDisconnected()
{
    callbacks.Notify(Disconnected, values.ClearAll());
}

} // namespace vanemark::detail
