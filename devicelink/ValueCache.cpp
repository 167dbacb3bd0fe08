#include "devicelink/ValueCache.h"

#include "core/NumberText.h"

#include <climits>
#include <cmath>

namespace vanemark {

namespace {

// Truncation toward zero into the int32 range, whatever the server sent.
std::int32_t Saturate(double value)
{
    if (!(value > static_cast<double>(INT32_MIN))) {
        return value != value ? 0 : INT32_MIN;
    }
    return value >= static_cast<double>(INT32_MAX) ? INT32_MAX : static_cast<std::int32_t>(value);
}

} // namespace

int ValueCache::LoadKeys(const std::string& path)
{
    std::lock_guard lock(valuesLock);
    return table.Load(path);
}

bool ValueCache::Silent(const DeviceLinkKey& key, Clock::time_point now)
{
    return key.answers.missed >= kSilentAfterRequests && now - key.answers.lastAt >= kSilentAfterTime;
}

bool ValueCache::HasValue(const DeviceLinkKey& key, Clock::time_point now)
{
    return key.Has(TypedValue::Received) && !Silent(key, now);
}

bool ValueCache::ApplyReply(std::span<const Field> fields, Clock::time_point now)
{
    bool cameBack = false;
    std::lock_guard lock(valuesLock);
    for (const Field& field : fields) {
        DeviceLinkKey& key = *field.key;
        cameBack = cameBack || (key.Has(TypedValue::Polled) && Silent(key, now));
        if (key.Id() == kClockKey) {
            // The clock is a float in Java's own text ("5.555556E-4"), not
            // the two-decimal form of every other number, whatever type the
            // key table gives it.
            clockHours = ParseDouble(field.value);
            key.SetDouble(clockHours);
        } else {
            key.AssignReceived(field.value);
        }
        key.answers = {now, 0, false};
    }
    return cameBack;
}

void ValueCache::NoteRequested(std::span<DeviceLinkKey* const> keys)
{
    std::lock_guard lock(valuesLock);
    for (DeviceLinkKey* key : keys) {
        // Only a request that was still waiting when the next went out counts
        // as missed, so an answer on its way is not held against the key.
        key->answers.missed += key->answers.awaiting ? 1 : 0;
        key->answers.awaiting = true;
    }
}

std::uint32_t ValueCache::OnConnected(Clock::time_point now)
{
    std::lock_guard lock(valuesLock);
    for (DeviceLinkKey& key : table.Keys()) {
        key.answers = {now, 0, false};
    }
    return ++generation;
}

std::uint32_t ValueCache::ClearAll()
{
    std::lock_guard lock(valuesLock);
    for (DeviceLinkKey& key : table.Keys()) {
        key.Clear();
    }
    return ++generation;
}

int ValueCache::ResetValues(std::uint32_t expected)
{
    std::lock_guard lock(valuesLock);
    if (expected != generation) {
        return -1;
    }
    int count = 0;
    table.ForEachUsed([&count](DeviceLinkKey& key) {
        key.SetDouble(0.0);
        ++count;
    });
    return count;
}

std::uint32_t ValueCache::Generation() const
{
    std::lock_guard lock(valuesLock);
    return generation;
}

void ValueCache::Read(std::span<const std::int32_t> ids, std::span<std::optional<double>> out,
                      Clock::time_point now) const
{
    std::lock_guard lock(valuesLock);
    for (std::size_t i = 0; i < ids.size() && i < out.size(); ++i) {
        const DeviceLinkKey* key = table.KeyById(ids[i]);
        double value = 0.0;
        if (key != nullptr && HasValue(*key, now) && key->GetDouble(value) == 0) {
            out[i] = value;
        } else {
            out[i].reset();
        }
    }
}

std::optional<std::string> ValueCache::ReadText(std::int32_t id, Clock::time_point now) const
{
    std::lock_guard lock(valuesLock);
    const DeviceLinkKey* key = table.KeyById(id);
    std::string text;
    if (key == nullptr || !HasValue(*key, now) || key->GetText(text) != 0) {
        return std::nullopt;
    }
    return text;
}

void ValueCache::PolledKeys(std::vector<std::int32_t>& polled, std::vector<std::int32_t>& silent,
                            Clock::time_point now) const
{
    polled.clear();
    silent.clear();
    std::lock_guard lock(valuesLock);
    table.ForEachUsed([&](const DeviceLinkKey& key) {
        if (!key.Has(TypedValue::Polled) || (!polled.empty() && polled.back() == key.Id())) {
            return;
        }
        polled.push_back(key.Id());
        if (Silent(key, now)) {
            silent.push_back(key.Id());
        }
    });
}

int ValueCache::GetDouble(const DeviceLinkKey& key, double& out) const
{
    std::lock_guard lock(valuesLock);
    return key.GetDouble(out);
}

int ValueCache::GetText(const DeviceLinkKey& key, std::string& out) const
{
    std::lock_guard lock(valuesLock);
    return key.GetText(out);
}

std::uint32_t ValueCache::Flags(const DeviceLinkKey& key) const
{
    std::lock_guard lock(valuesLock);
    return key.Flags();
}

void ValueCache::SetFlag(DeviceLinkKey& key, TypedValue::Flag flag, bool on)
{
    std::lock_guard lock(valuesLock);
    key.SetFlag(flag, on);
}

std::int32_t ValueCache::ClockSeconds() const
{
    double hours = 0.0;
    {
        std::lock_guard lock(valuesLock);
        hours = clockHours;
    }
    return Saturate(std::trunc(hours * 3600.0));
}

} // namespace vanemark
