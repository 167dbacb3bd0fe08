#include "joystick/AxisLearner.h"

#include <algorithm>

namespace vanemark {

void AxisLearner::Watch(const JoystickSource& source, std::uint32_t nowMs)
{
    if (Done(nowMs)) {
        return; // a move after the window is not the answer
    }
    for (const JoystickInfo& device : source.Devices()) {
        for (std::int32_t axis = 0; axis < device.axes; ++axis) {
            const std::optional<std::int16_t> raw = source.Axis(device.id, axis);
            if (!raw) {
                continue;
            }
            auto it = std::find_if(seen.begin(), seen.end(),
                                   [&](const Seen& s) { return s.axis == axis && s.device == device.id; });
            if (it == seen.end()) {
                seen.push_back({device.id, axis, *raw, *raw});
                continue;
            }
            it->low = std::min<std::int32_t>(it->low, *raw);
            it->high = std::max<std::int32_t>(it->high, *raw);
        }
    }
}

std::optional<settings::AxisBinding> AxisLearner::Winner() const
{
    const Seen* best = nullptr;
    for (const Seen& s : seen) {
        // The first of equals: the device attached first, its lowest axis.
        if (s.high - s.low >= kLeastSpread && (best == nullptr || s.high - s.low > best->high - best->low)) {
            best = &s;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return settings::AxisBinding{best->device, best->axis, false};
}

} // namespace vanemark
