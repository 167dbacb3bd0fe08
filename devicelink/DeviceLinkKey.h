#pragma once

#include "core/TypedValue.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace vanemark {

// One declared DeviceLink key: a value cell with its wire id, optional index
// and poll schedule. Records live in the client's key table and never move.
class DeviceLinkKey : public TypedValue {
public:
    // Zero-filled record: type Double, precision 0, no flags, no index.
    DeviceLinkKey();
    DeviceLinkKey(std::string_view keyName, std::int32_t keyId, std::int32_t keyIndex, Type keyType);
    DeviceLinkKey(const DeviceLinkKey&) = delete;
    DeviceLinkKey& operator=(const DeviceLinkKey&) = delete;
    ~DeviceLinkKey() override = default;

    bool IsIndexed() const { return index >= 0; }
    // Next record of the same id in file order, or nullptr.
    DeviceLinkKey* NextOfId() const { return static_cast<DeviceLinkKey*>(next); }

    std::int32_t id = 0;
    std::int32_t index = -1; // 0-based index on the wire; -1 without index
    // The poll schedule is changed by the window thread while the tick thread
    // reads it, so it is atomic rather than guarded by the value lock.
    std::atomic<std::int32_t> pollReload{0};
    std::atomic<std::int32_t> pollCountdown{0};
    // Mirrors the Polled flag for the tick thread; `flags` itself is only
    // touched under the client's value lock.
    std::atomic<bool> polled{false};
};

} // namespace vanemark
