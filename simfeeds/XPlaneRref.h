#pragma once

#include "simfeeds/SimReading.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vanemark {

// X-Plane sends data-refs to whoever subscribes with an RREF request: a
// fixed 413-byte datagram naming the data-ref, our index for it and how
// often per second to send it (0 ends the subscription). Each reply is
// "RREF" and one byte, then (index, float) pairs.
inline constexpr std::size_t kRrefRequestSize = 413;
inline constexpr std::size_t kRrefPathSize = 400;
inline constexpr int kXPlaneDefaultPort = 49000;

// Our index of each data-ref is its place here.
inline constexpr std::array<std::string_view, 14> kXPlaneRefs{
    "sim/joystick/yoke_pitch_ratio",
    "sim/joystick/yoke_roll_ratio",
    "sim/joystick/yoke_heading_ratio",
    "sim/cockpit2/controls/flap_ratio",
    "sim/cockpit2/engine/actuators/throttle_ratio_all",
    "sim/cockpit2/engine/actuators/prop_ratio_all",
    "sim/cockpit2/controls/aileron_trim",
    "sim/cockpit2/controls/elevation_trim",
    "sim/cockpit2/controls/rudder_trim",
    "sim/cockpit2/controls/left_brake_ratio",
    "sim/cockpit2/controls/right_brake_ratio",
    "sim/flightmodel/position/indicated_airspeed",
    "sim/flightmodel/position/phi",
    "sim/flightmodel/position/theta",
};
// The aircraft's name is a byte array: each byte is its own data-ref,
// subscribed under indexes from kXPlaneNameIndex, once a second.
inline constexpr std::string_view kXPlaneNameRef = "sim/aircraft/view/acf_ui_name";
inline constexpr std::int32_t kXPlaneNameIndex = 100;
inline constexpr std::size_t kXPlaneNameLength = 32;

// One subscription request; a path longer than the field is cut (ours all fit).
std::array<std::uint8_t, kRrefRequestSize> RrefRequest(std::int32_t frequency, std::int32_t index,
                                                       std::string_view path);

// The replies of one subscription, gathered: a value keeps until a newer
// reply says otherwise, since X-Plane may split them over datagrams.
class XPlaneReplies {
public:
    // Updates what it holds from one reply and writes everything into
    // `reading`. A pair with an index not ours is skipped; a reply that
    // does not read changes nothing; a value that is NaN, infinite or absurd
    // is made absent (BadValue).
    Verdict Read(std::span<const std::uint8_t> datagram, SimReading& reading);

private:
    void Fill(SimReading& reading) const;

    std::array<double, kXPlaneRefs.size()> raw = [] {
        std::array<double, kXPlaneRefs.size()> none{};
        none.fill(SimReading::kAbsent);
        return none;
    }();
    std::array<char, kXPlaneNameLength> name{};
    bool nameHeard = false;
};

} // namespace vanemark
