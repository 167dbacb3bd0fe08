#include "web/FrameClients.h"

#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>

namespace vanemark {

void FrameClients::Later::operator()(QWebSocket* socket) const
{
    socket->deleteLater();
}

FrameClients::FrameClients(const PanelPicture& picture, const PanelValuesJson& values, int limit)
    : picture(picture), values(values), limit(limit)
{
}

FrameClients::~FrameClients()
{
    CloseAll();
}

void FrameClients::Expect(QTcpSocket* socket, FrameKind kind)
{
    expected.push_back({socket, socket->peerAddress(), socket->peerPort(), kind});
}

void FrameClients::ForgetFinishedHandshakes()
{
    // A failed handshake closes its socket, which then goes away.
    std::erase_if(expected, [](const Expected& e) { return e.socket.isNull(); });
}

bool FrameClients::Full()
{
    ForgetFinishedHandshakes();
    return static_cast<int>(clients.size() + expected.size()) >= limit;
}

void FrameClients::Adopt(std::unique_ptr<QWebSocket> socket)
{
    // The socket lives on inside the WebSocket, so the two are matched by
    // the connection's far end.
    ForgetFinishedHandshakes();
    const auto match = std::find_if(expected.begin(), expected.end(), [&](const Expected& e) {
        return e.port == socket->peerPort() && e.peer == socket->peerAddress();
    });
    FrameKind kind;
    if (match != expected.end()) {
        kind = match->kind;
        expected.erase(match);
    } else {
        kind = FrameKindFromQuery(QUrlQuery(socket->requestUrl()));
    }

    QWebSocket* raw = socket.get();
    // Queued: the list may be in the middle of a round of frames.
    connect(
        raw, &QWebSocket::disconnected, this, [this, raw] { Drop(raw); }, Qt::QueuedConnection);
    Client& client = clients.emplace_back(Client{{socket.release(), Later{}}, kind, 0, {}});
    // What the handshake left in the queue is not a frame.
    client.queued = raw->bytesToWrite();
    if (!Send(client, Frame(kind))) {
        Drop(raw);
    }
}

void FrameClients::PanelChanged()
{
    frames.clear();
    std::vector<QWebSocket*> behind;
    for (Client& client : clients) {
        if (!Send(client, Frame(client.kind))) {
            behind.push_back(client.socket.get());
        }
    }
    for (QWebSocket* socket : behind) {
        Drop(socket);
    }
}

void FrameClients::SetFrameInterval(int milliseconds)
{
    framesPerSecond = std::max(1, 1000 / std::max(1, milliseconds));
}

void FrameClients::CloseAll()
{
    while (!clients.empty()) {
        QWebSocket* socket = clients.back().socket.get();
        disconnect(socket, nullptr, this, nullptr);
        socket->close(QWebSocketProtocol::CloseCodeGoingAway);
        clients.pop_back();
    }
    expected.clear();
    frames.clear();
}

std::int64_t FrameClients::QueuedBytes() const
{
    std::int64_t bytes = 0;
    for (const Client& client : clients) {
        bytes += client.socket->bytesToWrite();
    }
    return bytes;
}

const QByteArray& FrameClients::Frame(FrameKind kind)
{
    auto found = frames.find(kind);
    if (found == frames.end()) {
        const QByteArray frame = kind.json ? values() : picture(kind.scale, kind.transparent);
        found = frames.emplace(kind, frame).first;
    }
    return found->second;
}

bool FrameClients::Send(Client& client, const QByteArray& frame) const
{
    // A buffered socket only queues what it is given and writes it from the
    // event loop, so the growth of its queue is exactly this frame.
    QWebSocket& socket = *client.socket;
    const std::int64_t before = socket.bytesToWrite();
    if (client.kind.json) {
        socket.sendTextMessage(QString::fromUtf8(frame));
    } else {
        socket.sendBinaryMessage(frame);
    }
    const std::int64_t after = socket.bytesToWrite();
    client.queued += after - before;
    client.frameEnds.push_back(client.queued);

    const std::int64_t written = client.queued - after;
    while (!client.frameEnds.empty() && client.frameEnds.front() <= written) {
        client.frameEnds.pop_front();
    }
    // Handed to the system now, as far as it takes it without waiting: left
    // to the event loop, every frame would cost the window one more wake-up.
    socket.flush();
    return static_cast<int>(client.frameEnds.size()) <= framesPerSecond;
}

void FrameClients::Drop(QWebSocket* socket)
{
    const auto found =
        std::find_if(clients.begin(), clients.end(), [&](const Client& c) { return c.socket.get() == socket; });
    if (found == clients.end()) {
        return;
    }
    // Deleted from the event loop: this may run inside Qt's handshake, from Adopt().
    std::unique_ptr<QWebSocket, Later> gone = std::move(found->socket);
    clients.erase(found);
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    if (clients.empty()) {
        frames.clear();
    }
}

} // namespace vanemark
