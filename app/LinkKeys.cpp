#include "app/LinkKeys.h"

#include "devicelink/DeviceLinkClient.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace vanemark {

void ReadShownKeys(const DeviceLinkClient& client, Frame& frame)
{
    static constexpr auto kIds = [] {
        std::array<std::int32_t, kSubscribedKeys.size()> ids{};
        for (std::size_t i = 0; i < ids.size(); ++i) {
            ids[i] = kSubscribedKeys[i].id;
        }
        return ids;
    }();
    std::array<std::optional<double>, kIds.size()> read;
    client.ReadKeys(kIds, read);
    for (std::size_t i = 0; i < kIds.size(); ++i) {
        const Shown shows = kSubscribedKeys[i].shows;
        if (double* target = Slot(frame.values, shows); target != nullptr) {
            *target = read[i].value_or(std::numeric_limits<double>::quiet_NaN());
            frame.sources[static_cast<std::size_t>(shows)] = read[i] ? FrameSource::Simulator : FrameSource::None;
        }
    }
}

const char* ShownName(std::int32_t id)
{
    const auto* key = std::ranges::find(kSubscribedKeys, id, &LinkKey::id);
    return key != kSubscribedKeys.end() ? key->name : "";
}

} // namespace vanemark
