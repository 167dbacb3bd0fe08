#pragma once

#include <optional>
#include <string>

namespace vanemark {

// What the command line changes about one run of the window.
struct LaunchOptions {
    // Settings file of the pre-window step; it only chooses the layout file.
    std::string settingsFile;
    bool forceDemo = false;
    // Write the panel to this PNG after `snapshotCycles` cycles and end
    // without saving the window position.
    std::optional<std::string> snapshotPath;
    int snapshotCycles = 3;
    // Hand the client's diagnostic lines to standard error.
    bool verbose = false;
    // Start unlocked whatever the settings file says.
    bool unlock = false;
    // Record every cycle into this CSV file from the start.
    std::optional<std::string> recordPath;
    // Serve the web panel on this port from the start.
    std::optional<int> webPort;
};

} // namespace vanemark
