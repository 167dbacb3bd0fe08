#pragma once

#include "devicelink/DeviceLinkKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vanemark {

// The declared keys in file order plus the 512-slot id index: each slot heads
// the chain of records with that id, and the used slots 1..511 are linked in
// ascending order starting from slot 0's link.
class DeviceLinkKeyTable {
public:
    static constexpr int kSlots = 512;
    // Each key line is cut to this many characters before it is split.
    static constexpr std::size_t kMaxLine = 256;

    DeviceLinkKeyTable() = default;
    DeviceLinkKeyTable(const DeviceLinkKeyTable&) = delete;
    DeviceLinkKeyTable& operator=(const DeviceLinkKeyTable&) = delete;

    // Replaces the table with the file's keys; their number, or -1 when the
    // file cannot be read or holds no lines (the table is then empty).
    int Load(const std::string& path);

    DeviceLinkKey* KeyById(std::int32_t id) const;
    DeviceLinkKey* KeyByIdIndex(std::int32_t id, std::int32_t index) const;

    // Every record with an id 1..511, ascending by id, file order within an id.
    template <typename Fn> void ForEachUsed(Fn&& fn) const
    {
        for (int id = idIndex[0].nextUsed; id != 0; id = idIndex[static_cast<std::size_t>(id)].nextUsed) {
            for (DeviceLinkKey* key = idIndex[static_cast<std::size_t>(id)].head; key != nullptr;
                 key = key->NextOfId()) {
                fn(*key);
            }
        }
    }
    std::span<DeviceLinkKey> Keys() const { return {keys.get(), keyCount}; }
    int Count() const { return static_cast<int>(keyCount); }

private:
    struct Slot {
        DeviceLinkKey* head = nullptr;
        DeviceLinkKey* tail = nullptr;
        int nextUsed = 0; // 0 ends the list (slot 0 is never part of it)
    };
    void ClearTable();
    void BuildIndex();

    std::unique_ptr<DeviceLinkKey[]> keys;
    std::size_t keyCount = 0;
    std::array<Slot, kSlots> idIndex{};
};

} // namespace vanemark
