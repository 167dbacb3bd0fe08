#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace vanemark {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the GUI thread, so
// that Ctrl+C, `kill` or a closed terminal run the normal exit sequence (and
// save the window position) instead of ending the process on the spot. The
// handler only writes one byte into a pipe; the notifier reads it in the
// event loop. On Windows the console's Ctrl+C, Ctrl+Break and close take
// their place. One watcher at a time; the previous handlers come back when it
// is destroyed.
class ExitSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit ExitSignalWatcher(QObject* parent = nullptr);
    ~ExitSignalWatcher() override;
    ExitSignalWatcher(const ExitSignalWatcher&) = delete;
    ExitSignalWatcher& operator=(const ExitSignalWatcher&) = delete;

Q_SIGNALS:
    void exitRequested(int signalNumber);

private:
    void OnReadable();

    bool active = false;
    std::unique_ptr<QSocketNotifier> notifier;
};

} // namespace vanemark
