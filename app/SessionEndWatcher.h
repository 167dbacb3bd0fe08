#pragma once

#include <QObject>

#include <memory>

namespace vanemark {

// Tells the window that the desktop session is ending, in the ways the
// platform has: a session manager asking to save (the session may still be
// cancelled), and the application being told to quit. On Windows the process
// may be ended as soon as WM_ENDSESSION returns, so there endRequested is
// emitted from inside that message and its receivers must finish their work
// before they return.
class SessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;
    SessionEndWatcher(const SessionEndWatcher&) = delete;
    SessionEndWatcher& operator=(const SessionEndWatcher&) = delete;

Q_SIGNALS:
    void saveRequested();
    void endRequested();

private:
    struct NativeFilter;
    std::unique_ptr<NativeFilter> nativeFilter;
};

} // namespace vanemark
