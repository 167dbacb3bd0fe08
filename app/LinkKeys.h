#pragma once

#include "panel/PanelValues.h"

#include <array>
#include <cstdint>

namespace vanemark {

class DeviceLinkClient;

// The DeviceLink ids the window uses. The subscription step and the cycle
// both walk kSubscribedKeys, so a shown value is added or moved here alone.
inline constexpr std::int32_t kHeartbeatKey = 20; // also the simulator's clock
inline constexpr std::int32_t kTitleKey = 22;     // the aircraft, shown as the window title

// Which panel value a key feeds.
enum class Shown : std::uint8_t {
    Nothing,
    Speed,
    Flaps,
    Bank,
    Pitch,
    StickX,
    StickY,
    Power,
    Prop,
    Rudder,
    Brakes,
    AileronTrim,
    ElevatorTrim,
    RudderTrim
};

struct LinkKey {
    std::int32_t id;
    Shown shows;
};

// In the order the server is asked for them; 42 is asked for but not shown.
inline constexpr std::array<LinkKey, 15> kSubscribedKeys{{
    {kHeartbeatKey, Shown::Nothing},
    {30, Shown::Speed},
    {80, Shown::Power},
    {82, Shown::Flaps},
    {84, Shown::StickX},
    {86, Shown::StickY},
    {88, Shown::Rudder},
    {48, Shown::Pitch},
    {46, Shown::Bank},
    {92, Shown::Prop},
    {90, Shown::Brakes},
    {42, Shown::Nothing},
    {94, Shown::AileronTrim},
    {96, Shown::ElevatorTrim},
    {98, Shown::RudderTrim},
}};

// The panel value a key feeds; nullptr for Shown::Nothing.
double* Slot(PanelValues& values, Shown shows);

// The cached value of every shown key written into `values`. A key the key
// table lacks leaves its value as it was.
void ReadShownKeys(DeviceLinkClient& client, PanelValues& values);

} // namespace vanemark
