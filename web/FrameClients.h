#pragma once

#include "web/RequestRules.h"
#include "web/WebPanelServer.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

class QTcpSocket;
class QWebSocket;

namespace vanemark {

// The WebSocket clients of the web panel and the frames they are sent. Each
// kind of frame is encoded once per change of the panel, and only while a
// client wants it. A client whose queue holds more than a second of frames
// has stopped reading and is dropped, so that it costs neither memory nor the
// caller's time.
class FrameClients : public QObject {
public:
    FrameClients(const PanelPicture& picture, const PanelValuesJson& values, int limit);
    ~FrameClients() override;
    FrameClients(const FrameClients&) = delete;
    FrameClients& operator=(const FrameClients&) = delete;

    // An upgrade let through: the handshake is yet to finish, but the client
    // already takes its place.
    void Expect(QTcpSocket* socket, FrameKind kind);
    bool Full();
    // The handshake is done: the client joins and gets the current frame.
    void Adopt(std::unique_ptr<QWebSocket> socket);
    void PanelChanged();
    void SetFrameInterval(int milliseconds);
    void CloseAll();

    int Count() const { return static_cast<int>(clients.size()); }
    std::int64_t QueuedBytes() const;

private:
    struct Later {
        void operator()(QWebSocket* socket) const;
    };
    struct Client {
        std::unique_ptr<QWebSocket, Later> socket;
        FrameKind kind;
        // Positions in the stream of bytes queued for the socket: how much
        // has been queued so far, and where each frame not yet on its way ends.
        std::int64_t queued = 0;
        std::deque<std::int64_t> frameEnds;
    };
    struct Expected {
        QPointer<QTcpSocket> socket;
        QHostAddress peer;
        quint16 port = 0;
        FrameKind kind;
    };

    const QByteArray& Frame(FrameKind kind);
    // False when the client has fallen more than a second behind.
    bool Send(Client& client, const QByteArray& frame) const;
    void Drop(QWebSocket* socket);
    void ForgetFinishedHandshakes();

    const PanelPicture& picture;
    const PanelValuesJson& values;
    const int limit;
    int framesPerSecond = 2;
    std::vector<Client> clients;
    std::vector<Expected> expected;
    // The frames of the panel as it is now, by kind; emptied when it changes.
    std::map<FrameKind, QByteArray> frames;
};

} // namespace vanemark
