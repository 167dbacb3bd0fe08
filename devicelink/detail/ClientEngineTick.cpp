// The tick thread's side of the client: reception, timer callbacks, poll,
// heartbeat and the connection events.
#include "devicelink/detail/ClientEngine.h"

#include "devicelink/DeviceLinkSocket.h"
#include "devicelink/ReplyParser.h"

#include <algorithm>
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
    insideTick = true;
    ReceiveDatagrams();
    RunTickSteps();
    insideTick = false;
}

void ClientEngine::RunTickSteps()
{
    const std::uint64_t tick = tickCount.fetch_add(1, std::memory_order_relaxed) + 1;
    Heartbeat();
    if (autoRequest.load() && link.IsConnected() && tick - aircraftAskedAt >= kAircraftEveryTicks) {
        aircraftDue = true;
    }
    Poll();
    // Last: a callback that wakes the window then finds this thread done
    // with the values, not holding their lock. What it reads is the same.
    callbacks.RunTimers();
}

void ClientEngine::Poll()
{
    const std::int32_t nextPoll = schedule.TicksToNextPoll();
    // A poll due within the heartbeat period carries the heartbeat and
    // aircraft reads, one datagram and one reply for all.
    const bool carry = nextPoll == 1 || nextPoll == 0 || nextPoll > link.HeartbeatTicks();
    std::array<DeviceLinkKey*, 2> extra{};
    std::size_t count = 0;
    if (carry && heartbeatDue) {
        heartbeatDue = false;
        if (DeviceLinkKey* key = HeartbeatKey(); key != nullptr) {
            extra[count++] = key;
        }
    }
    if (carry && aircraftDue) {
        aircraftDue = false;
        aircraftAskedAt = tickCount.load(std::memory_order_relaxed);
        if (DeviceLinkKey* key = AircraftKey(); key != nullptr) {
            extra[count++] = key;
        }
    }
    asked.clear();
    schedule.BuildPoll(std::span(extra.data(), count), &asked);
    values.NoteRequested(asked);
}

// Woken by replies, the thread runs every tick whose moment has come first,
// so a reply read at once is handled where a tick-driven read would have put
// it, only sooner. Woken for a tick, it reads what waits first, as the tick
// would. Ticks without work were not waited for; they run here, late, since
// nothing they do can be seen before the next tick that has work.
ClientThread::Next ClientEngine::OnWake(bool readable)
{
    ClientThread::Next next;
    insideTick = true;
    if (!readable && IsStarted()) {
        next.moreToRead = ReceiveDatagrams();
    }
    const auto now = TickGrid::Clock::now();
    std::uint64_t passed = grid->Passed(now);
    if (dueTick == 0) {
        ticksRun = std::max(ticksRun, passed); // ticks without any work change nothing
    } else if (passed > dueTick) {
        grid->DropMissedAfter(dueTick, now);
        passed = dueTick;
    }
    while (ticksRun < passed && IsStarted()) {
        ++ticksRun;
        RunTickSteps();
    }
    if (readable && IsStarted()) {
        next.moreToRead = ReceiveDatagrams() || next.moreToRead;
    }
    insideTick = false;
    next.run = IsStarted();
    const std::uint64_t ahead = TicksToWork();
    dueTick = ahead == 0 ? 0 : ticksRun + ahead;
    next.deadline = dueTick == 0 ? ClientThread::kNoDeadline : grid->Moment(dueTick);
    next.watchSocket = ahead == 0 || ahead > kReadAtTickWithin;
    return next;
}

std::uint64_t ClientEngine::TicksToWork() const
{
    if (queue.HasPending()) {
        return 1;
    }
    std::uint64_t next = 0;
    const auto consider = [&next](std::uint64_t ticks) {
        if (ticks > 0 && (next == 0 || ticks < next)) {
            next = ticks;
        }
    };
    consider(static_cast<std::uint64_t>(callbacks.TicksToNextCall()));
    consider(static_cast<std::uint64_t>(schedule.TicksToNextPoll()));
    if (const auto beat = static_cast<std::uint64_t>(link.TicksToBeat()); beat > 0) {
        // A beat that loses the link raises its event on time. Otherwise it
        // lowers a counter nobody sees and marks the heartbeat read due,
        // which a poll within the period carries: then the poll's tick is
        // the one to wake for. Without a read to send, a counter above zero
        // must still run down on time.
        const std::int32_t level = link.Counter();
        const bool sendsRead = HeartbeatKey() != nullptr;
        const std::int32_t nextPoll = schedule.TicksToNextPoll();
        const bool carried = nextPoll > 0 && nextPoll <= link.HeartbeatTicks();
        if (level == 0 || (level > 0 && !sendsRead) || (sendsRead && !carried)) {
            consider(beat);
        }
    }
    return next;
}

// The server answers each request datagram once, and the owner's reads add
// their own, so several replies can be waiting; each is read. The bound
// keeps a flood from stalling the ticks.
bool ClientEngine::ReceiveDatagrams()
{
    if (!socket || !IsStarted()) {
        return false;
    }
    std::array<char, kMaxDatagram + 1> buffer; // NOLINT(cppcoreguidelines-pro-type-member-init): filled by the read
    for (int count = 0; count < kMaxDatagramsPerTick; ++count) {
        const auto result = socket->Receive(buffer);
        if (result.status == DeviceLinkSocket::ReadStatus::Nothing) {
            return false;
        }
        if (result.status == DeviceLinkSocket::ReadStatus::Error) {
            log.Log("OnTick(): socket error %d while reading replies.\n", result.error);
            return false;
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
    return true;
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

// A reply is applied whole, in one step under the value lock: a reader never
// sees part of one reply beside part of the one before. The link, the logs
// and the events follow once it is in place.
int ClientEngine::ParseReply(std::string_view datagram, bool cut)
{
    const ReplyParser parser(values.Table());
    std::size_t count = 0;
    const int applied = parser.Parse(
        datagram,
        [this, &count](DeviceLinkKey& key, std::string_view value) {
            if (count == fields.size()) {
                fields.emplace_back();
            }
            fields[count].key = &key;
            fields[count].value.assign(value);
            ++count;
        },
        cut);
    if (count == 0) {
        return applied;
    }
    const std::span<const ValueCache::Field> reply(fields.data(), count);
    const bool cameBack = values.ApplyReply(reply);
    bool title = false;
    for (const ValueCache::Field& field : reply) {
        const DeviceLinkKey& key = *field.key;
        title = title || key.Id() == kAircraftKey;
        if (key.Id() == link.HeartbeatId() && key.Id() != 0 && link.OnHeartbeat()) {
            OnConnected();
        }
        if (log.Logging()) {
            log.Log("Setting %s. Flags %08X\n", key.Name().c_str(), values.Flags(key));
        }
    }
    // Keys that answer again after silence: the pilot is back in an
    // aircraft, perhaps another one.
    if (cameBack && autoRequest.load() && link.IsConnected()) {
        if (const DeviceLinkKey* key = AircraftKey(); key != nullptr) {
            queue.Send(KeyReadRequest(*key), true);
            aircraftAskedAt = tickCount.load(std::memory_order_relaxed);
        }
    }
    // One event for a datagram full of titles: its sink reads the last one.
    if (title) {
        callbacks.Notify(Key22Received, values.Generation());
    }
    return applied;
}

DeviceLinkKey* ClientEngine::HeartbeatKey() const
{
    DeviceLinkKey* key = KeyById(link.HeartbeatId());
    while (key != nullptr && key->IsIndexed()) {
        key = key->NextOfId();
    }
    return key != nullptr && (values.Flags(*key) & TypedValue::Readable) != 0 ? key : nullptr;
}

DeviceLinkKey* ClientEngine::AircraftKey() const
{
    DeviceLinkKey* key = KeyById(kAircraftKey);
    return key != nullptr && !key->IsIndexed() && (values.Flags(*key) & TypedValue::Readable) != 0 ? key : nullptr;
}

void ClientEngine::Heartbeat()
{
    const LinkMonitor::Beat beat = link.OnTick();
    heartbeatDue = heartbeatDue || beat.request;
    if (beat.lost) {
        OnDisconnected();
    }
}

void ClientEngine::OnConnected()
{
    if (autoRequest.load()) {
        queue.Send(kConnectionRequest, true);
        aircraftAskedAt = tickCount.load(std::memory_order_relaxed);
    }
    // No key is given a value here: each has none until a reply carries it.
    // Nor is a poll sent: the heartbeat answer that made the link came with
    // one, and an extra poll would shift the schedule off the cycle's ticks.
    const std::uint32_t generation = values.OnConnected();
    callbacks.Notify(Connected, generation);
}

void ClientEngine::OnDisconnected()
{
    callbacks.Notify(Disconnected, values.ClearAll());
}

} // namespace vanemark::detail
