#pragma once

#include "core/TypedValue.h"
#include "devicelink/DeviceLinkKeyTable.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace vanemark {

// The key table and every value in it, with the clock value of key 20 and
// the link generation, all behind one lock. The generation moves on at every
// connection and disconnection, in the same locked step that zeroes or
// clears the keys, so a reset asked for an older link can tell it came late.
class ValueCache {
public:
    static constexpr std::int32_t kClockKey = 20;

    ValueCache() = default;
    ValueCache(const ValueCache&) = delete;
    ValueCache& operator=(const ValueCache&) = delete;

    // Not while the tick thread runs.
    int LoadKeys(const std::string& path);
    DeviceLinkKey* KeyById(std::int32_t id) const { return table.KeyById(id); }
    const DeviceLinkKeyTable& Table() const { return table; }

    // A received value; key 20 also sets the clock. The key's flags after it.
    std::uint32_t Assign(DeviceLinkKey& key, std::string_view value);
    // Connection: every key zero, Received and Updated. The new generation.
    std::uint32_t ZeroAll();
    // Disconnection: every key cleared. The new generation.
    std::uint32_t ClearAll();
    // Zero into every key of ids 1..511 while `generation` is current; how
    // many, or -1 (nothing changed) when the link has moved on.
    int ResetValues(std::uint32_t generation);
    std::uint32_t Generation() const;

    int GetDouble(const DeviceLinkKey& key, double& out) const;
    int GetText(const DeviceLinkKey& key, std::string& out) const;
    std::uint32_t Flags(const DeviceLinkKey& key) const;
    void SetFlag(DeviceLinkKey& key, TypedValue::Flag flag, bool on);
    // Time of day from key 20, in whole seconds.
    std::int32_t ClockSeconds() const;

private:
    mutable std::mutex valuesLock; // every key value, clockValue and generation
    DeviceLinkKeyTable table;
    TypedValue clockValue;
    std::uint32_t generation = 0;
};

} // namespace vanemark
