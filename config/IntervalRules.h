#pragma once

#include <cstdint>

namespace vanemark::settings {

// The client ticks every 25 ms; every interval is a whole number of ticks.
inline constexpr std::int32_t kTickMs = 25;
inline constexpr std::int32_t kMaxStartupInterval = 10000;
// What the General page accepts as typed text.
inline constexpr std::int64_t kPageIntervalMin = 25;
inline constexpr std::int64_t kPageIntervalMax = 1000000;
// The spin control's range and step.
inline constexpr std::int32_t kSpinIntervalMax = 10000;

// The stored interval as start-up uses it: cut down to a multiple of the
// tick, then held between 25 and 10000 ms.
std::int32_t NormaliseStartupInterval(std::int32_t stored);

// An interval handed to the running window: at least 25 ms, cut down to a
// multiple of 25, no upper limit (the next start applies that).
std::int32_t NormaliseRuntimeInterval(std::int32_t requested);

} // namespace vanemark::settings
