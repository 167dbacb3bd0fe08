#pragma once

#include "tools/DeviceLinkSim.h"

#include <span>
#include <string>
#include <string_view>

namespace vanemark {

// The simulator the program stands in for.
enum class SimProtocol { DeviceLink, Il2, XPlane, FlightGear, WarThunder };

// The options of the devicelink-sim program. Host and port mean where to
// listen, except for the simulators that push their data (il2gb,
// flightgear), where they say where to send it; both default per protocol.
struct SimCommandLine {
    static constexpr int kMaxHz = 1000;
    SimProtocol protocol = SimProtocol::DeviceLink;
    DeviceLinkSimOptions options{.host = {}}; // no host: the machine's network address
    int hz = 30;                              // frames a second of il2gb and flightgear
    bool rrefZero = false;                    // xplane replies "RREF" + a 0 byte, as newer versions do
    double duration = -1.0;                   // seconds until the program ends by itself; negative: until interrupted
    bool help = false;
    std::string replayPath; // a flight recording to answer with; empty: none
    bool loop = false;      // replay round and round
    double rate = 1.0;      // replay speed, times the recorded one
    bool rateGiven = false; // --rate 1 without a replay is as wrong as any other

    // 0, or -1 with a message naming the offending argument.
    int Parse(std::span<const std::string_view> args, std::string& error);
    static const char* Usage();
    // "devicelink", "il2gb", "xplane", "flightgear" or "warthunder".
    static std::string_view Name(SimProtocol protocol);

private:
    int Check(std::string& error);
    bool hostGiven = false;
    bool portGiven = false;
    std::string portText;
    std::string devicelinkOnly; // the first option only the DeviceLink server takes
    bool hzGiven = false;
    bool rrefGiven = false;
};

} // namespace vanemark
