#include "config/IntervalRules.h"

#include <algorithm>

namespace vanemark::settings {

std::int32_t NormaliseStartupInterval(std::int32_t stored)
{
    return std::clamp(stored / kTickMs * kTickMs, kTickMs, kMaxStartupInterval);
}

std::int32_t NormaliseRuntimeInterval(std::int32_t requested)
{
    return std::max(requested, kTickMs) / kTickMs * kTickMs;
}

} // namespace vanemark::settings
