#include "app/GuardedApplication.h"

#include <cstdio>
#include <exception>

namespace vanemark {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vanemark: event %d not handled: %s\n", static_cast<int>(event->type()), error.what());
    } catch (...) {
        std::fprintf(stderr, "vanemark: event %d not handled: unknown error\n", static_cast<int>(event->type()));
    }
    return false;
}

} // namespace vanemark
