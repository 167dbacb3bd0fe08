#include "devicelink/ValueCache.h"

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

std::uint32_t ValueCache::Assign(DeviceLinkKey& key, std::string_view value)
{
    std::lock_guard lock(valuesLock);
    key.AssignReceived(value);
    if (key.Id() == kClockKey) {
        double hours = 0.0;
        key.GetDouble(hours);
        clockValue.SetInt(Saturate(std::trunc(hours)));
    }
    return key.Flags();
}

std::uint32_t ValueCache::ZeroAll()
{
    std::lock_guard lock(valuesLock);
    for (DeviceLinkKey& key : table.Keys()) {
        key.SetInt(0);
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
        clockValue.GetDouble(hours);
    }
    return Saturate(std::trunc(hours * 3600.0));
}

} // namespace vanemark
