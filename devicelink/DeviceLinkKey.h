#pragma once

#include "core/TypedValue.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string_view>

namespace vanemark {

class DeviceLinkKeyTable;

// One declared DeviceLink key: a value cell with its wire id, optional index
// and poll schedule. Records live in the client's key table and never move.
class DeviceLinkKey : public TypedValue {
public:
    // Zero-filled record: type Double, precision 0, no flags, no index.
    DeviceLinkKey() : TypedValue(Double, {}, 0) {}
    DeviceLinkKey(const DeviceLinkKey&) = delete;
    DeviceLinkKey& operator=(const DeviceLinkKey&) = delete;
    ~DeviceLinkKey() override = default;

    // Fills a zero-filled record from its key table line.
    void Declare(std::string_view keyName, std::int32_t keyId, std::int32_t keyIndex, Type keyType,
                 std::uint32_t access);

    std::int32_t Id() const { return id; }
    // 0-based index on the wire; -1 without index.
    std::int32_t Index() const { return index; }
    bool IsIndexed() const { return index >= 0; }
    // Next record of the same id in file order, or nullptr.
    DeviceLinkKey* NextOfId() const { return nextOfId; }

    // The poll schedule is changed by the owner's thread while the tick thread
    // reads it, so it is atomic rather than guarded by the value lock; `polled`
    // mirrors the Polled flag, which is only touched under that lock.
    struct Poll {
        std::atomic<std::int32_t> reload{0};
        std::atomic<std::int32_t> countdown{0};
        std::atomic<bool> polled{false};
    };
    Poll poll;

    // Whether the server still answers this key: it answers a key only while
    // it has the value, and says nothing when it stops. Guarded by the value
    // cache's lock.
    struct Answers {
        std::chrono::steady_clock::time_point lastAt{}; // last answer, or when the link came
        std::int32_t missed = 0;                        // requests in a row that went unanswered
        bool awaiting = false;                          // asked, and no answer since
    };
    Answers answers;

private:
    friend class DeviceLinkKeyTable; // keeps the chains of its id index

    std::int32_t id = 0;
    std::int32_t index = -1;
    DeviceLinkKey* nextOfId = nullptr;
};

} // namespace vanemark
