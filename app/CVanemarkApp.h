#pragma once

#include "app/LaunchOptions.h"

#include <QString>

#include <functional>

namespace vanemark {

class CVanemarkDlg;

// The application object: checks the sockets layer, runs the one main
// window until it ends, and turns Ctrl+C, SIGTERM and the end of the desktop
// session into the window's exit sequence so the position is never lost.
class CVanemarkApp {
public:
    struct Hooks {
        std::function<bool()> initialiseSockets;          // default: InitialiseSocketsLayer
        std::function<void(const QString&)> showError;    // default: a message box
        std::function<void(CVanemarkDlg&)> windowStarted; // called once the window is shown
    };

    CVanemarkApp();
    explicit CVanemarkApp(Hooks hooks);

    // The whole program: command line, platform choice, application object, Run.
    static int Main(int argc, char** argv);

    // Needs a QApplication. Returns the process exit code.
    int Run(const LaunchOptions& options) const;

private:
    Hooks hooks;
};

} // namespace vanemark
