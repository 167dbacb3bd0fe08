#include "app/ExitSignalWatcher.h"

#include <QSocketNotifier>

#ifdef _WIN32

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

#include <windows.h>

namespace vanemark {

namespace {

// Console control events stand in for the signals: Ctrl+C, Ctrl+Break and
// the console window being closed. The system calls the handler on a thread
// of its own, so it only posts to the watcher's thread; the mutex keeps the
// watcher alive while the handler posts.
std::mutex watcherMutex;
std::condition_variable watcherChanged;
ExitSignalWatcher* current = nullptr;

BOOL WINAPI OnConsoleControl(DWORD type)
{
    int signalNumber = 0;
    switch (type) {
    case CTRL_C_EVENT:
        signalNumber = SIGINT;
        break;
    case CTRL_BREAK_EVENT:
        signalNumber = SIGBREAK;
        break;
    case CTRL_CLOSE_EVENT:
        signalNumber = SIGTERM;
        break;
    default:
        return FALSE;
    }
    std::unique_lock lock(watcherMutex);
    ExitSignalWatcher* watcher = current;
    if (watcher == nullptr) {
        return FALSE;
    }
    QMetaObject::invokeMethod(
        watcher, [watcher, signalNumber] { Q_EMIT watcher->exitRequested(signalNumber); }, Qt::QueuedConnection);
    if (type == CTRL_CLOSE_EVENT) {
        // The process ends when this handler returns, and the system allows
        // it about five seconds: wait until the window's run is over.
        watcherChanged.wait_for(lock, std::chrono::milliseconds(4500), [] { return current == nullptr; });
    }
    return TRUE;
}

} // namespace

ExitSignalWatcher::ExitSignalWatcher(QObject* parent) : QObject(parent)
{
    const std::lock_guard lock(watcherMutex);
    if (current != nullptr) {
        return; // another watcher owns the handler
    }
    active = SetConsoleCtrlHandler(OnConsoleControl, TRUE) != FALSE;
    if (active) {
        current = this;
    }
}

ExitSignalWatcher::~ExitSignalWatcher()
{
    if (!active) {
        return;
    }
    {
        const std::lock_guard lock(watcherMutex);
        current = nullptr;
    }
    watcherChanged.notify_all();
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

void ExitSignalWatcher::OnReadable() {}

} // namespace vanemark

#else

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vanemark {

namespace {

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

// pipe2 is not POSIX; the same pipe made in two steps works on every POSIX
// system. No other thread forks here, so the close-on-exec gap is harmless.
bool MakeSignalPipe(int (&fds)[2])
{
    if (::pipe(fds) != 0) {
        return false;
    }
    for (const int fd : fds) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0 || ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
    }
    return true;
}

// Written by the handler, read by the GUI thread; -1 while no watcher lives.
volatile sig_atomic_t writeFd = -1;
int readFd = -1;
std::array<struct sigaction, kSignals.size()> previousActions{};

extern "C" void OnExitSignal(int signalNumber)
{
    const int saved = errno;
    const int fd = writeFd;
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a pending request; dropping this one is fine.
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

ExitSignalWatcher::ExitSignalWatcher(QObject* parent) : QObject(parent)
{
    if (writeFd >= 0) {
        return; // another watcher owns the handlers
    }
    int fds[2];
    if (!MakeSignalPipe(fds)) {
        return;
    }
    readFd = fds[0];
    writeFd = fds[1];
    struct sigaction action {};
    action.sa_handler = OnExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &action, &previousActions[i]);
    }
    notifier = std::make_unique<QSocketNotifier>(readFd, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this] { OnReadable(); });
    active = true;
}

ExitSignalWatcher::~ExitSignalWatcher()
{
    if (!active) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &previousActions[i], nullptr);
    }
    notifier.reset();
    const int fd = writeFd;
    writeFd = -1;
    ::close(fd);
    ::close(readFd);
    readFd = -1;
}

void ExitSignalWatcher::OnReadable()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(readFd, &byte, 1) == 1) {
        last = byte;
    }
    if (last != 0) {
        Q_EMIT exitRequested(last);
    }
}

} // namespace vanemark

#endif
