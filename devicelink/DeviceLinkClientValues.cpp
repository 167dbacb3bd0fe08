// Subscriptions and the value cache of DeviceLinkClient, as seen from the
// owner's thread.
#include "devicelink/DeviceLinkClient.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <thread>

namespace vanemark {

int DeviceLinkClient::SubscribeKey(std::int32_t id, int periodMs)
{
    DeviceLinkKey* key = KeyById(id);
    if (key == nullptr) {
        return -1;
    }
    {
        std::lock_guard lock(valuesLock);
        if (!key->Has(TypedValue::Readable)) {
            return -1;
        }
    }
    // The heartbeat has its own schedule.
    if (id == heartbeatId.load()) {
        return 0;
    }
    key->pollReload.store(PeriodTicks(periodMs));
    if (key->polled.load()) {
        return 0;
    }
    {
        std::lock_guard lock(valuesLock);
        key->flags |= TypedValue::Polled;
    }
    key->polled.store(true);
    Log("SubscribeKey(): Adding %s to poll\n", key->name.c_str());
    return Send(KeyReadRequest(*key), false);
}

int DeviceLinkClient::SetPollInterval(int periodMs)
{
    const std::int32_t ticks = PeriodTicks(periodMs);
    int count = 0;
    for (DeviceLinkKey& key : table.Keys()) {
        if (key.polled.load()) {
            key.pollReload.store(ticks);
            key.pollCountdown.store(ticks);
            ++count;
        }
    }
    return count;
}

DeviceLinkKey* DeviceLinkClient::KeyForRead(std::int32_t id, int sync)
{
    DeviceLinkKey* key = KeyById(id);
    if (key == nullptr || sync == 0) {
        return key;
    }
    bool received = false;
    {
        std::lock_guard lock(valuesLock);
        received = key->Has(TypedValue::Received);
    }
    if (!received) {
        ReadKey(key, kSyncReadTimeoutMs);
    }
    return key;
}

int DeviceLinkClient::GetKeyDouble(std::int32_t id, double& out, int sync)
{
    DeviceLinkKey* key = KeyForRead(id, sync);
    if (key == nullptr) {
        return -1;
    }
    std::lock_guard lock(valuesLock);
    return key->GetDouble(out);
}

int DeviceLinkClient::GetKeyText(std::int32_t id, char* buffer, int sync)
{
    if (buffer == nullptr || KeyById(id) == nullptr) {
        return -1;
    }
    std::string text;
    const int result = GetKeyText(id, text, sync);
    const std::size_t length = text.size() < TypedValue::kMaxText ? text.size() : TypedValue::kMaxText;
    text.copy(buffer, length);
    buffer[length] = '\0';
    return result;
}

int DeviceLinkClient::GetKeyText(std::int32_t id, std::string& out, int sync)
{
    DeviceLinkKey* key = KeyForRead(id, sync);
    if (key == nullptr) {
        return -1;
    }
    std::lock_guard lock(valuesLock);
    return key->GetText(out);
}

std::uint32_t DeviceLinkClient::GetKeyFlags(std::int32_t id) const
{
    const DeviceLinkKey* key = KeyById(id);
    if (key == nullptr) {
        return 0;
    }
    std::lock_guard lock(valuesLock);
    return key->flags;
}

int DeviceLinkClient::ReadKey(DeviceLinkKey* key, int timeoutMs)
{
    if (key == nullptr) {
        return -1;
    }
    if (OnTickThread()) {
        // The reply could only be read by this very tick: waiting would stall
        // every tick for the whole time-out and still fail.
        Log("*ERROR: ReadKey(%s) Unable to read in %d ms.\n", key->name.c_str(), 0);
        return -1;
    }
    {
        std::lock_guard lock(valuesLock);
        if (!key->Has(TypedValue::Readable)) {
            return -1;
        }
        key->flags &= ~static_cast<std::uint32_t>(TypedValue::Updated);
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::string request = KeyReadRequest(*key);
    int elapsed = 0;
    while (elapsed < timeoutMs) {
        Send(request, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        elapsed = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        bool updated = false;
        {
            std::lock_guard lock(valuesLock);
            updated = key->Has(TypedValue::Updated);
        }
        if (updated) {
            Log("ReadKey(%s) in %d ms.\n", key->name.c_str(), elapsed);
            return 0;
        }
    }
    Log("*ERROR: ReadKey(%s) Unable to read in %d ms.\n", key->name.c_str(), elapsed);
    return -1;
}

int DeviceLinkClient::ResetValues()
{
    int count = 0;
    std::lock_guard lock(valuesLock);
    table.ForEachUsed([&count](DeviceLinkKey& key) {
        key.SetDouble(0.0);
        ++count;
    });
    return count;
}

std::int32_t DeviceLinkClient::ClockSeconds() const
{
    double hours = 0.0;
    {
        std::lock_guard lock(valuesLock);
        clockValue.GetDouble(hours);
    }
    const double seconds = std::trunc(hours * 3600.0);
    // Whatever the server sends, the result stays a valid int32.
    if (!(seconds > static_cast<double>(INT32_MIN))) {
        return seconds != seconds ? 0 : INT32_MIN;
    }
    return seconds >= static_cast<double>(INT32_MAX) ? INT32_MAX : static_cast<std::int32_t>(seconds);
}

} // namespace vanemark
