#include "app/UserOutput.h"

#include "app/AppInfo.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vanemark {

namespace {

#if defined(_WIN32)
bool HasHandle(DWORD which)
{
    const HANDLE handle = ::GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

UserOutput::Route ChooseRoute()
{
    // Handles a window program was started with were made for it (a
    // redirection, a test's pipe) and are its output as they stand.
    if (HasHandle(STD_OUTPUT_HANDLE) || HasHandle(STD_ERROR_HANDLE)) {
        return UserOutput::Route::Handles;
    }
    if (::AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
        // The C runtime set its streams up before there was a console.
        FILE* ignored = nullptr;
        const bool out = ::freopen_s(&ignored, "CONOUT$", "w", stdout) == 0;
        const bool err = ::freopen_s(&ignored, "CONOUT$", "w", stderr) == 0;
        if (out && err) {
            // The prompt of the shell that started us is already out: start below it.
            std::fputs("\n", stdout);
            std::fflush(stdout);
            return UserOutput::Route::ParentConsole;
        }
    }
    return UserOutput::Route::Dialog;
}

void ShowBox(const QString& text, UINT icon)
{
    const QString title = QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
    ::MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.utf16()), reinterpret_cast<LPCWSTR>(title.utf16()),
                  MB_OK | icon);
}
#else
UserOutput::Route ChooseRoute()
{
    return UserOutput::Route::Handles;
}
#endif

// To standard output or error, or where there is no console to a message
// box; `error` chooses the stream and the box's icon.
void Tell(UserOutput::Route route, const QString& text, bool error)
{
#if defined(_WIN32)
    if (route == UserOutput::Route::Dialog) {
        ShowBox(text, error ? MB_ICONERROR : MB_ICONINFORMATION);
        return;
    }
#else
    (void)route;
#endif
    FILE* stream = error ? stderr : stdout;
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

UserOutput::UserOutput() : route(ChooseRoute()) {}

void UserOutput::Print(const QString& text) const
{
    Tell(route, text, false);
}

void UserOutput::Error(const QString& text) const
{
    Tell(route, text, true);
}

} // namespace vanemark
