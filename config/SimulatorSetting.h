#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {
class ProfileFile;
}

namespace vanemark::settings {

// Which simulator the window listens to. Automatic listens to all of them
// at once and follows whichever answers.
enum class Simulator : std::uint8_t { DeviceLink, Il2gb, XPlane, FlightGear, WarThunder, Automatic };
inline constexpr std::size_t kSimulatorCount = static_cast<std::size_t>(Simulator::Automatic) + 1;

inline constexpr std::string_view kSimulatorKey = "simulator";
// The stored words, in the order of the enumeration.
inline constexpr std::array<std::string_view, kSimulatorCount> kSimulatorWords{"devicelink", "il2gb",      "xplane",
                                                                               "flightgear", "warthunder", "auto"};
inline constexpr std::string_view kIl2gbPortKey = "il2gb port";
inline constexpr std::string_view kFlightGearPortKey = "flightgear port";
inline constexpr std::string_view kXPlaneHostKey = "xplane host";
inline constexpr std::string_view kXPlanePortKey = "xplane port";
inline constexpr std::string_view kWarThunderHostKey = "warthunder host";
inline constexpr std::string_view kWarThunderPortKey = "warthunder port";

// Where each simulator is found. The pushing ones (IL-2 Great Battles,
// FlightGear) send to a port of ours; the others are asked at theirs.
struct SimulatorSetting {
    Simulator simulator = Simulator::DeviceLink;
    std::int32_t il2gbPort = 4322;
    std::int32_t flightGearPort = 5505;
    std::string xplaneHost = "127.0.0.1";
    std::int32_t xplanePort = 49000;
    std::string warThunderHost = "127.0.0.1";
    std::int32_t warThunderPort = 8111;

    bool Uses(Simulator one) const { return simulator == one || simulator == Simulator::Automatic; }
};

// The stored word in any letter case; anything else is a damaged file and
// reads as DeviceLink, what the window always listened to.
Simulator ParseSimulator(std::string_view word);
std::string_view SimulatorWord(Simulator simulator);
// Every key above, a port outside 1 ... 65535 read as its default.
SimulatorSetting ReadSimulatorSetting(ProfileFile& settings);

} // namespace vanemark::settings
