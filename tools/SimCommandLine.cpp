#include "tools/SimCommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

namespace vanemark {

namespace {

// Appends instead of chaining operator+: GCC 12 at -O3 reports a false
// overlap (-Wrestrict) in such chains.
std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (const std::string_view part : parts) {
        out.append(part);
    }
    return out;
}

template <typename T> bool ParseNumber(std::string_view text, T& out)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    out = value;
    return true;
}

} // namespace

const char* SimCommandLine::Usage()
{
    return "Usage: devicelink-sim [options]\n"
           "A stand-in flight simulator flying a synthetic flight (or a recorded one) for\n"
           "Vanemark: by default a DeviceLink server answering read requests.\n"
           "  --protocol NAME         the simulator to stand in for:\n"
           "                            devicelink  IL-2 1946 DeviceLink server (UDP, default)\n"
           "                            il2gb       IL-2 Great Battles, sending motion and\n"
           "                                        telemetry to HOST:PORT (UDP, default 4322)\n"
           "                            xplane      X-Plane, answering RREF subscriptions\n"
           "                                        (UDP, default port 49000)\n"
           "                            flightgear  FlightGear, sending one line a frame to\n"
           "                                        HOST:PORT (UDP, default 5505)\n"
           "                            warthunder  War Thunder's /state and /indicators\n"
           "                                        (HTTP, default port 8111)\n"
           "  --host ADDRESS          IPv4 address to listen on, or for il2gb and flightgear\n"
           "                          to send to (devicelink default: the machine's first\n"
           "                          network address, else 127.0.0.1; others: 127.0.0.1)\n"
           "  --port PORT             the port (0 picks a free one to listen on; for\n"
           "                          devicelink above 65000 means 65000)\n"
           "  --hz N                  frames a second of il2gb and flightgear (default 30)\n"
           "  --rref-zero             xplane: reply \"RREF\" and a 0 byte, as newer versions\n"
           "                          do, instead of \"RREF,\"\n"
           "  --verbose               print what is asked and answered or sent\n"
           "  --silent-after SECONDS  stop answering or sending after this many seconds\n"
           "                          (warthunder: leave the battle)\n"
           "  --resume-after SECONDS  answer again after this many seconds of silence\n"
           "  --duration SECONDS      end after this many seconds\n"
           "  --replay FILE.csv       fly a recorded flight, then fall silent\n"
           "  --loop                  replay the recording over and over\n"
           "  --rate FACTOR           replay at this many times the recorded speed\n"
           "  --help                  show this text\n"
           "Only with devicelink:\n"
           "  --ips \"ADDRESS ...\"     answer only these senders, compared as written with the\n"
           "                          sender's dotted address (default: anyone)\n"
           "  --drop PERCENT          leave this share of requests unanswered\n"
           "  --seed N                seed for --drop\n"
           "  --online                leave out ids 28-74, as a network game does\n"
           "  --not-in-cockpit SECONDS\n"
           "                          after this many seconds answer only the clock (20), as\n"
           "                          when the pilot is dead, bailed out or in a gunner's seat\n"
           "A DeviceLink reply longer than 2047 bytes is not sent at all, as the simulator does.\n";
}

std::string_view SimCommandLine::Name(SimProtocol protocol)
{
    switch (protocol) {
    case SimProtocol::Il2:
        return "il2gb";
    case SimProtocol::XPlane:
        return "xplane";
    case SimProtocol::FlightGear:
        return "flightgear";
    case SimProtocol::WarThunder:
        return "warthunder";
    default:
        return "devicelink";
    }
}

int SimCommandLine::Parse(std::span<const std::string_view> args, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            continue;
        }
        if (arg == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (arg == "--online") {
            options.online = true;
            if (devicelinkOnly.empty()) {
                devicelinkOnly = "--online";
            }
            continue;
        }
        if (arg == "--rref-zero") {
            rrefZero = rrefGiven = true;
            continue;
        }
        if (arg == "--loop") {
            loop = true;
            continue;
        }
        const bool takesValue = arg == "--host" || arg == "--port" || arg == "--silent-after" ||
                                arg == "--resume-after" || arg == "--drop" || arg == "--seed" || arg == "--duration" ||
                                arg == "--replay" || arg == "--rate" || arg == "--ips" || arg == "--not-in-cockpit" ||
                                arg == "--protocol" || arg == "--hz";
        if (!takesValue) {
            error = Concat({"unknown option '", arg, "'"});
            return -1;
        }
        if (i + 1 >= args.size()) {
            error = Concat({"option ", arg, " needs a value"});
            return -1;
        }
        const std::string_view value = args[++i];
        bool ok = true;
        double seconds = 0.0;
        if (devicelinkOnly.empty() &&
            (arg == "--ips" || arg == "--drop" || arg == "--seed" || arg == "--not-in-cockpit")) {
            devicelinkOnly = std::string(arg);
        }
        if (arg == "--protocol") {
            ok = false;
            for (const SimProtocol candidate : {SimProtocol::DeviceLink, SimProtocol::Il2, SimProtocol::XPlane,
                                                SimProtocol::FlightGear, SimProtocol::WarThunder}) {
                if (value == Name(candidate)) {
                    protocol = candidate;
                    ok = true;
                }
            }
        } else if (arg == "--hz") {
            ok = ParseNumber(value, hz) && hz >= 1 && hz <= kMaxHz;
            hzGiven = true;
        } else if (arg == "--host") {
            ok = !value.empty();
            options.host = std::string(value);
            hostGiven = true;
        } else if (arg == "--ips") {
            options.ips = std::string(value);
        } else if (arg == "--port") {
            long long port = -1; // any port above the highest is taken as the highest
            ok = ParseNumber(value, port) && port >= 0;
            options.port = static_cast<int>(std::min<long long>(port, std::numeric_limits<int>::max()));
            portGiven = true;
            portText = std::string(value);
        } else if (arg == "--seed") {
            ok = ParseNumber(value, options.seed);
        } else if (arg == "--replay") {
            ok = !value.empty();
            replayPath = std::string(value);
        } else if (arg == "--rate") {
            ok = ParseNumber(value, rate) && std::isfinite(rate) && rate > 0.0;
            rateGiven = true;
        } else {
            ok = ParseNumber(value, seconds) && std::isfinite(seconds) && seconds >= 0.0;
            if (arg == "--silent-after") {
                options.silentAfter = seconds;
            } else if (arg == "--resume-after") {
                options.resumeAfter = seconds;
            } else if (arg == "--not-in-cockpit") {
                options.notInCockpitAfter = seconds;
            } else if (arg == "--drop") {
                ok = ok && seconds <= 100.0;
                options.dropPercent = seconds;
            } else {
                duration = seconds;
            }
        }
        if (!ok) {
            error = Concat({"invalid value '", value, "' for ", arg});
            return -1;
        }
    }
    if (replayPath.empty() && (loop || rateGiven)) {
        error = "--loop and --rate need --replay";
        return -1;
    }
    return Check(error);
}

// What the options mean together, now that the protocol is known.
int SimCommandLine::Check(std::string& error)
{
    const bool pushing = protocol == SimProtocol::Il2 || protocol == SimProtocol::FlightGear;
    const auto refuse = [&](std::string_view option) {
        error = Concat({"option ", option, " does not apply to --protocol ", Name(protocol)});
        return -1;
    };
    if (protocol == SimProtocol::DeviceLink) {
        return hzGiven ? refuse("--hz") : rrefGiven ? refuse("--rref-zero") : 0;
    }
    if (!devicelinkOnly.empty()) {
        return refuse(devicelinkOnly);
    }
    if (hzGiven && !pushing) {
        return refuse("--hz");
    }
    if (rrefGiven && protocol != SimProtocol::XPlane) {
        return refuse("--rref-zero");
    }
    // Only the DeviceLink server takes a port above the highest as the highest,
    // and nothing can be sent to port 0.
    if (portGiven && (options.port > 65535 || (pushing && options.port == 0))) {
        error = Concat({"invalid value '", portText, "' for --port"});
        return -1;
    }
    if (!hostGiven) {
        options.host = "127.0.0.1";
    }
    if (!portGiven) {
        options.port = protocol == SimProtocol::Il2          ? 4322
                       : protocol == SimProtocol::XPlane     ? 49000
                       : protocol == SimProtocol::FlightGear ? 5505
                                                             : 8111;
    }
    return 0;
}

} // namespace vanemark
