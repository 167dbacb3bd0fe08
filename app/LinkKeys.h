#pragma once

#include "app/Frame.h"
#include "panel/PanelValues.h"

#include <QtGlobal>

#include <array>
#include <cstdint>

namespace vanemark {

class DeviceLinkClient;

// The DeviceLink ids the window uses. The subscription step and the cycle
// both walk kSubscribedKeys, so a shown value is added or moved here alone.
inline constexpr std::int32_t kHeartbeatKey = 20; // also the simulator's clock
inline constexpr std::int32_t kTitleKey = 22;     // the aircraft, shown as the window title

struct LinkKey {
    std::int32_t id;
    Shown shows;
    const char* name; // what the pilot calls it, translated where shown (context "LinkStatus")
};

// In the order the server is asked for them; 42 is asked for but not shown.
inline constexpr std::array<LinkKey, 15> kSubscribedKeys{{
    {kHeartbeatKey, Shown::Nothing, "clock"},
    {30, Shown::Speed, QT_TRANSLATE_NOOP("LinkStatus", "speed")},
    {80, Shown::Power, QT_TRANSLATE_NOOP("LinkStatus", "power")},
    {82, Shown::Flaps, QT_TRANSLATE_NOOP("LinkStatus", "flaps")},
    {84, Shown::StickX, QT_TRANSLATE_NOOP("LinkStatus", "stick x")},
    {86, Shown::StickY, QT_TRANSLATE_NOOP("LinkStatus", "stick y")},
    {88, Shown::Rudder, QT_TRANSLATE_NOOP("LinkStatus", "rudder")},
    {48, Shown::Pitch, QT_TRANSLATE_NOOP("LinkStatus", "pitch")},
    {46, Shown::Bank, QT_TRANSLATE_NOOP("LinkStatus", "bank")},
    {92, Shown::Prop, QT_TRANSLATE_NOOP("LinkStatus", "propeller pitch")},
    {90, Shown::Brakes, QT_TRANSLATE_NOOP("LinkStatus", "brakes")},
    {42, Shown::Nothing, QT_TRANSLATE_NOOP("LinkStatus", "heading")},
    {94, Shown::AileronTrim, QT_TRANSLATE_NOOP("LinkStatus", "aileron trim")},
    {96, Shown::ElevatorTrim, QT_TRANSLATE_NOOP("LinkStatus", "elevator trim")},
    {98, Shown::RudderTrim, QT_TRANSLATE_NOOP("LinkStatus", "rudder trim")},
}};

// The value of every shown key written into `frame`, all as of one moment,
// each marked as the simulator's. A key without a value (none received,
// fallen silent, or missing from the key table) is written as NaN, which the
// panel draws as absent, and has no source.
void ReadShownKeys(const DeviceLinkClient& client, Frame& frame);
// What the pilot calls the value of a subscribed id ("speed", "heading"),
// untranslated; empty for others.
const char* ShownName(std::int32_t id);

} // namespace vanemark
