#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

// What the user asked for on the command line.
struct CommandLine {
    std::string settingsFile;            // empty: Vanemark.ini
    bool demo = false;                   // forces demo mode without touching the settings file
    std::optional<std::string> snapshot; // PNG to write after `cycles` cycles, then exit
    int cycles = 3;
    bool verbose = false;
    bool unlock = false;                 // start unlocked whatever "locked" says
    std::optional<std::string> record;   // CSV file to record the flight into
    bool userFolder = false;             // run in the per-user configuration folder
    std::optional<std::string> folder;   // run in this folder
    std::optional<std::string> language; // interface language code; "en" forces English
    std::optional<int> webPort;          // serve the web panel on this port, whatever the settings say
    bool version = false;
    bool help = false;
};

struct CommandLineResult {
    std::optional<CommandLine> options; // empty when the line is wrong
    std::string error;                  // why, for the usage message
    // The same, untranslated with `%1` for `argument`, for a translated message.
    const char* reason = "";
    std::string argument;
};

// The help text, untranslated, with `%1` for the program's name and `%2` for
// kPerUserFolderText.
extern const char* const kUsageText;

// Where --user-folder keeps the files, as the help names it.
#if defined(_WIN32)
inline constexpr std::string_view kPerUserFolderText = "%APPDATA%\\Vanemark";
#else
inline constexpr std::string_view kPerUserFolderText = "~/.config/vanemark";
#endif

// args excludes the program name.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args);

} // namespace vanemark
