#pragma once

#include "web/RequestRules.h"
#include "web/WebPanelServer.h"

#include <QAbstractHttpServer>
#include <QByteArray>

#include <functional>

class QHttpServerRequest;
class QTcpSocket;

namespace vanemark {

// The web panel's HTTP side: the page, the picture and the values, every
// refusal with its status, and the WebSocket upgrades the rules allow.
//
// Qt 6.4 hands an upgrade request to handleRequest() before it does the
// handshake, and upgrades only when that returns true; when it returns false
// Qt calls missingHandler() and then closes the connection. So a refused
// WebSocket (wrong Host, full, wrong path) gets a real HTTP answer, 503 and
// the rest, before any handshake: Qt's own upgrade, with the checks in this
// override, and no second listener or hand-made handshake beside it.
class PanelHttpServer final : public QAbstractHttpServer {
public:
    struct Hooks {
        const PanelPicture& picture;
        const PanelValuesJson& values;
        std::function<bool()> clientsFull;
        // An upgrade let through, before Qt starts its handshake.
        std::function<void(QTcpSocket*, FrameKind)> upgrading;
    };

    PanelHttpServer(Hooks hooks, bool loopbackOnly, QObject* parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    static RequestFacts Facts(const QHttpServerRequest& request);
    void Answer(const QHttpServerRequest& request, QTcpSocket* socket, const Verdict& verdict);

    Hooks hooks;
    const bool loopbackOnly;
    QByteArray page;
};

} // namespace vanemark
