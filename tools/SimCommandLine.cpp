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
           "A stand-in DeviceLink server that answers read requests with a synthetic flight.\n"
           "  --host ADDRESS          IPv4 address to listen on (default: the machine's first\n"
           "                          network address, else 127.0.0.1)\n"
           "  --port PORT             UDP port (default 21100; 0 picks a free one; above 65000\n"
           "                          means 65000)\n"
           "  --ips \"ADDRESS ...\"     answer only these senders, compared as written with the\n"
           "                          sender's dotted address (default: anyone)\n"
           "  --verbose               print every request and reply, and what goes unanswered\n"
           "  --silent-after SECONDS  stop answering after this many seconds\n"
           "  --resume-after SECONDS  answer again after this many seconds of silence\n"
           "  --drop PERCENT          leave this share of requests unanswered\n"
           "  --online                leave out ids 28-74, as a network game does\n"
           "  --not-in-cockpit SECONDS\n"
           "                          after this many seconds answer only the clock (20), as\n"
           "                          when the pilot is dead, bailed out or in a gunner's seat\n"
           "  --seed N                seed for --drop\n"
           "  --duration SECONDS      end after this many seconds\n"
           "  --replay FILE.csv       answer with a recorded flight, then fall silent\n"
           "  --loop                  replay the recording over and over\n"
           "  --rate FACTOR           replay at this many times the recorded speed\n"
           "  --help                  show this text\n"
           "A reply longer than 2047 bytes is not sent at all, as the simulator does.\n";
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
            continue;
        }
        if (arg == "--loop") {
            loop = true;
            continue;
        }
        const bool takesValue = arg == "--host" || arg == "--port" || arg == "--silent-after" ||
                                arg == "--resume-after" || arg == "--drop" || arg == "--seed" || arg == "--duration" ||
                                arg == "--replay" || arg == "--rate" || arg == "--ips" || arg == "--not-in-cockpit";
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
        if (arg == "--host") {
            ok = !value.empty();
            options.host = std::string(value);
        } else if (arg == "--ips") {
            options.ips = std::string(value);
        } else if (arg == "--port") {
            long long port = -1; // any port above the highest is taken as the highest
            ok = ParseNumber(value, port) && port >= 0;
            options.port = static_cast<int>(std::min<long long>(port, std::numeric_limits<int>::max()));
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
    return 0;
}

} // namespace vanemark
