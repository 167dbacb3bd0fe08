#pragma once

#include <QApplication>

namespace vanemark {

// The application object. Qt cannot unwind an exception through its event
// loop, so every event handler's exception stops here: it is reported on
// stderr and the event counts as not handled, and the overlay keeps running.
class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace vanemark
