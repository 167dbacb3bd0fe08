#pragma once

#include <QString>

namespace vanemark {

// Where the texts a user asked for from the command line go: the help, the
// version and why a command line was refused. On Windows the program is a
// window program, which starts without a console: it writes to the handles
// it was given (a pipe, a file), else to the console of whoever started it,
// and when there is neither (Explorer, a shortcut) it shows a message box.
class UserOutput {
public:
    enum class Route {
        Handles,       // standard output and error as the program was given them
        ParentConsole, // the console of the program that started this one
        Dialog,        // no console anywhere: a message box
    };

    // Decides the route once, attaching to the parent's console where that is the one.
    UserOutput();

    Route Where() const { return route; }
    void Print(const QString& text) const;
    void Error(const QString& text) const;

private:
    Route route;
};

} // namespace vanemark
