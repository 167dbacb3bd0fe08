#include "app/CommandLine.h"

#include <QtGlobal>

#include <charconv>
#include <string_view>

namespace vanemark {

namespace {

// `%1` in the text, once, stands for `argument`.
std::string Substitute(std::string_view text, std::string_view argument)
{
    std::string out(text);
    if (const auto at = out.find("%1"); at != std::string::npos) {
        out.replace(at, 2, argument);
    }
    return out;
}

CommandLineResult Fail(const char* reason, std::string argument = {})
{
    CommandLineResult result;
    result.error = Substitute(reason, argument);
    result.reason = reason;
    result.argument = std::move(argument);
    return result;
}

// "--name=value" or "--name value"; advances i over a separate value.
std::optional<std::string> TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name)
{
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (i + 1 >= args.size()) {
        return std::nullopt;
    }
    return args[++i];
}

bool Matches(std::string_view arg, std::string_view name)
{
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=');
}

} // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool cyclesGiven = false;
    bool positionalOnly = false;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (positionalOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            if (haveFile) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "only one settings file may be named: '%1'"), arg);
            }
            line.settingsFile = arg;
            haveFile = true;
        } else if (arg == "--") {
            positionalOnly = true;
        } else if (arg == "--demo") {
            line.demo = true;
        } else if (arg == "--verbose") {
            line.verbose = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--unlock") {
            line.unlock = true;
        } else if (arg == "--user-folder") {
            line.userFolder = true;
        } else if (Matches(arg, "--record")) {
            auto value = TakeValue(args, i, "--record");
            if (!value || value->empty()) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--record needs a file name"));
            }
            line.record = *value;
        } else if (Matches(arg, "--folder")) {
            auto value = TakeValue(args, i, "--folder");
            if (!value || value->empty()) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--folder needs a folder name"));
            }
            line.folder = *value;
        } else if (Matches(arg, "--language")) {
            auto value = TakeValue(args, i, "--language");
            if (!value || value->empty()) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--language needs a language code such as de or ru"));
            }
            line.language = *value;
        } else if (Matches(arg, "--snapshot")) {
            auto value = TakeValue(args, i, "--snapshot");
            if (!value || value->empty()) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--snapshot needs a file name"));
            }
            line.snapshot = *value;
        } else if (Matches(arg, "--web-port")) {
            auto value = TakeValue(args, i, "--web-port");
            int port = 0;
            const char* end = value ? value->data() + value->size() : nullptr;
            if (!value || std::from_chars(value->data(), end, port).ptr != end || value->empty() || port < 1 ||
                port > 65535) {
                return Fail(
                    QT_TRANSLATE_NOOP("CommandLine", "--web-port needs a port number from 1 to 65535, not '%1'"),
                    value.value_or(std::string()));
            }
            line.webPort = port;
        } else if (Matches(arg, "--cycles")) {
            auto value = TakeValue(args, i, "--cycles");
            if (!value) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--cycles needs a number"));
            }
            int n = 0;
            const char* end = value->data() + value->size();
            auto [ptr, ec] = std::from_chars(value->data(), end, n);
            if (ec != std::errc() || ptr != end || n < 1) {
                return Fail(QT_TRANSLATE_NOOP("CommandLine", "--cycles needs a whole number of at least 1, not '%1'"),
                            *value);
            }
            line.cycles = n;
            cyclesGiven = true;
        } else {
            return Fail(QT_TRANSLATE_NOOP("CommandLine", "unknown option '%1'"), arg);
        }
    }
    if (line.userFolder && line.folder) {
        return Fail(QT_TRANSLATE_NOOP("CommandLine", "--user-folder and --folder cannot go together"));
    }
    if (cyclesGiven && !line.snapshot) {
        return Fail(QT_TRANSLATE_NOOP("CommandLine", "--cycles only goes with --snapshot"));
    }
    CommandLineResult result;
    result.options = line;
    return result;
}

// The help, `%1` standing for the program's name, `%2` for the per-user folder.
const char* const kUsageText = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Usage: %1 [SETTINGS-FILE] [--demo] [--snapshot FILE.png [--cycles N]] [--record FILE.csv] [--unlock]\n"
    "       [--web-port PORT]\n"
    "       [--user-folder | --folder DIR] [--language CODE] [--verbose] [--version] [--help]\n"
    "\n"
    "An always-on-top instrument panel fed by a DeviceLink server.\n"
    "\n"
    "  SETTINGS-FILE      settings file that names the layout file (default Vanemark.ini)\n"
    "  --demo             show a synthetic motion instead of DeviceLink values\n"
    "  --snapshot FILE    run N cycles, write the panel to FILE as PNG and exit\n"
    "  --cycles N         cycles before the snapshot (default 3)\n"
    "  --record FILE      record the flight into FILE as CSV from the start\n"
    "  --unlock           start unlocked, whatever the settings file says\n"
    "  --web-port PORT    serve the panel to browsers on PORT (this computer only,\n"
    "                     unless the settings allow other computers)\n"
    "  --user-folder      keep the files in the per-user folder (%2),\n"
    "                     seeded with the shipped ones on first use\n"
    "  --folder DIR       keep the files in DIR, seeded the same way\n"
    "  --language CODE    interface language (de, ru, ...); en forces English\n"
    "  --verbose          write the DeviceLink client's diagnostics to standard error\n"
    "  --version          print the version and exit\n"
    "  --help             print this help and exit\n");

} // namespace vanemark
