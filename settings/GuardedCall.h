#pragma once

#include <exception>

namespace vanemark {

// Logs an exception that reached a Qt handler; what is nullptr when it was
// not a std::exception.
void LogEscapedException(const char* where, const char* what) noexcept;

// Runs the body of a Qt event handler or slot. Qt cannot carry an exception
// back through its event loop, so one that gets this far is logged and
// dropped here: the dialog stays usable and the program keeps running.
template <class Body> void RunGuarded(const char* where, Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        LogEscapedException(where, error.what());
    } catch (...) {
        LogEscapedException(where, nullptr);
    }
}

} // namespace vanemark
