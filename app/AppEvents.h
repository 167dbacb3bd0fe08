#pragma once

#include <QEvent>

namespace vanemark {

// Events the client's tick thread posts to the window; the window's thread
// does all the work they stand for.
class CycleEvent : public QEvent {
public:
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 13));
        return type;
    }
    CycleEvent() : QEvent(EventType()) {}
};

class LinkEvent : public QEvent {
public:
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 14));
        return type;
    }
    explicit LinkEvent(int linkEvent) : QEvent(EventType()), linkEvent(linkEvent) {}

    // One of DeviceLinkClient::Event.
    const int linkEvent;
};

} // namespace vanemark
