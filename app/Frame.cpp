#include "app/Frame.h"

#include <limits>

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

void SetAllAbsent(PanelValues& values)
{
    for (std::size_t i = 1; i < kShownCount; ++i) {
        *Slot(values, static_cast<Shown>(i)) = std::numeric_limits<double>::quiet_NaN();
    }
}

} // namespace vanemark
