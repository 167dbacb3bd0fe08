#include "app/LinkKeys.h"

#include "devicelink/DeviceLinkClient.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace vanemark {

double* Slot(PanelValues& values, Shown shows)
{
    switch (shows) {
    case Shown::Speed:
        return &values.speed;
    case Shown::Flaps:
        return &values.flaps;
    case Shown::Bank:
        return &values.bank;
    case Shown::Pitch:
        return &values.pitch;
    case Shown::StickX:
        return &values.stickX;
    case Shown::StickY:
        return &values.stickY;
    case Shown::Power:
        return &values.bars[PowerBar];
    case Shown::Prop:
        return &values.bars[PropBar];
    case Shown::Rudder:
        return &values.bars[RudderBar];
    case Shown::Brakes:
        return &values.bars[BrakesBar];
    case Shown::AileronTrim:
        return &values.bars[ATrimBar];
    case Shown::ElevatorTrim:
        return &values.bars[ETrimBar];
    case Shown::RudderTrim:
        return &values.bars[RTrimBar];
    case Shown::Nothing:
        break;
    }
    return nullptr;
}

void ReadShownKeys(const DeviceLinkClient& client, PanelValues& values)
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
        if (double* target = Slot(values, kSubscribedKeys[i].shows); target != nullptr) {
            *target = read[i].value_or(std::numeric_limits<double>::quiet_NaN());
        }
    }
}

void SetAllAbsent(PanelValues& values)
{
    for (const LinkKey& key : kSubscribedKeys) {
        if (double* target = Slot(values, key.shows); target != nullptr) {
            *target = std::numeric_limits<double>::quiet_NaN();
        }
    }
}

const char* ShownName(std::int32_t id)
{
    const auto* key = std::ranges::find(kSubscribedKeys, id, &LinkKey::id);
    return key != kSubscribedKeys.end() ? key->name : "";
}

} // namespace vanemark
