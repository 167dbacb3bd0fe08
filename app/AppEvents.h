#pragma once

#include <QEvent>

#include <cstdint>

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
    LinkEvent(int linkEvent, std::uint32_t generation)
        : QEvent(EventType()), linkEvent(linkEvent), generation(generation)
    {
    }

    // One of DeviceLinkClient::Event.
    const int linkEvent;
    // The client's link generation when the event was raised: the link may
    // have changed again by the time the window handles it.
    const std::uint32_t generation;
};

} // namespace vanemark
