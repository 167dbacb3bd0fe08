#include "app/SessionEndWatcher.h"

#include <QGuiApplication>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#ifdef _WIN32
#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <windows.h>
#endif

namespace vanemark {

#ifdef _WIN32

// WM_ENDSESSION with a true wParam is the last message a process gets when
// the user logs off or shuts down; Qt's own answer to it quits the event loop,
// which would never run again. The filter lets the message go on to Qt.
struct SessionEndWatcher::NativeFilter : QAbstractNativeEventFilter {
    explicit NativeFilter(SessionEndWatcher& owner) : watcher(owner) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType == "windows_generic_MSG") {
            const auto* msg = static_cast<const MSG*>(message);
            if (msg->message == WM_ENDSESSION && msg->wParam != FALSE) {
                Q_EMIT watcher.endRequested();
            }
        }
        return false;
    }

    SessionEndWatcher& watcher;
};

#else

// Elsewhere the session manager's save request and the application's quit
// signal carry the whole session end.
struct SessionEndWatcher::NativeFilter {};

#endif

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent)
{
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { Q_EMIT saveRequested(); });
#endif
    connect(qApp, &QCoreApplication::aboutToQuit, this, &SessionEndWatcher::endRequested);
#ifdef _WIN32
    nativeFilter = std::make_unique<NativeFilter>(*this);
    QCoreApplication::instance()->installNativeEventFilter(nativeFilter.get());
#endif
}

#ifdef _WIN32
SessionEndWatcher::~SessionEndWatcher()
{
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(nativeFilter.get());
    }
}
#else
SessionEndWatcher::~SessionEndWatcher() = default;
#endif

} // namespace vanemark
