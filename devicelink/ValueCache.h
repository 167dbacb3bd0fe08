#pragma once

#include "core/TypedValue.h"
#include "devicelink/DeviceLinkKeyTable.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

// The key table and every value in it, with the clock of key 20 and the link
// generation, all behind one lock. The generation moves on at every
// connection and disconnection, in the same locked step that clears the keys,
// so a reset asked for an older link can tell it came late.
//
// A key has a value only once a reply carried it, and keeps it only while
// the server goes on answering: the server falls silent on a key it no
// longer has (an online mission, the pilot out of the cockpit) without a
// word, so a key asked for kSilentAfterRequests times in a row without an
// answer, and for at least kSilentAfterTime, has no value until it is
// answered again.
class ValueCache {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::int32_t kClockKey = 20;
    static constexpr std::int32_t kSilentAfterRequests = 3;
    static constexpr Clock::duration kSilentAfterTime = std::chrono::seconds(1);

    // One field of a reply, its value as the server meant it.
    struct Field {
        DeviceLinkKey* key = nullptr;
        std::string value;
    };

    ValueCache() = default;
    ValueCache(const ValueCache&) = delete;
    ValueCache& operator=(const ValueCache&) = delete;

    // Not while the tick thread runs.
    int LoadKeys(const std::string& path);
    DeviceLinkKey* KeyById(std::int32_t id) const { return table.KeyById(id); }
    const DeviceLinkKeyTable& Table() const { return table; }

    // A whole reply in one locked step, so that no reader sees part of it;
    // key 20 also sets the clock. true when a polled key that had fallen
    // silent is answered again.
    bool ApplyReply(std::span<const Field> fields, Clock::time_point now = Clock::now());
    // The keys of one request went out.
    void NoteRequested(std::span<DeviceLinkKey* const> keys);
    // Connection: the silence of every key counts from `now`. Values stay as
    // they are (none, after a disconnection). The new generation.
    std::uint32_t OnConnected(Clock::time_point now = Clock::now());
    // Disconnection: every key cleared. The new generation.
    std::uint32_t ClearAll();
    // Zero into every key of ids 1..511 while `generation` is current; how
    // many, or -1 (nothing changed) when the link has moved on.
    int ResetValues(std::uint32_t generation);
    std::uint32_t Generation() const;

    // The values of `ids` as of one moment; nullopt for a key without a value.
    void Read(std::span<const std::int32_t> ids, std::span<std::optional<double>> out,
              Clock::time_point now = Clock::now()) const;
    // The text of `id` while it has a value.
    std::optional<std::string> ReadText(std::int32_t id, Clock::time_point now = Clock::now()) const;
    // The ids of the polled keys and of those among them that have fallen
    // silent, each ascending.
    void PolledKeys(std::vector<std::int32_t>& polled, std::vector<std::int32_t>& silent,
                    Clock::time_point now = Clock::now()) const;

    int GetDouble(const DeviceLinkKey& key, double& out) const;
    int GetText(const DeviceLinkKey& key, std::string& out) const;
    std::uint32_t Flags(const DeviceLinkKey& key) const;
    void SetFlag(DeviceLinkKey& key, TypedValue::Flag flag, bool on);
    // Time of day from key 20, in whole seconds.
    std::int32_t ClockSeconds() const;

private:
    static bool Silent(const DeviceLinkKey& key, Clock::time_point now);
    static bool HasValue(const DeviceLinkKey& key, Clock::time_point now);

    mutable std::mutex valuesLock; // every key value, the clock and generation
    DeviceLinkKeyTable table;
    double clockHours = 0.0;
    std::uint32_t generation = 0;
};

} // namespace vanemark
