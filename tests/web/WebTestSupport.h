#pragma once

#include "web/WebPanelServer.h"

#include <QByteArray>
#include <QNetworkProxy>
#include <QString>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace vanemark::test {

constexpr int kWaitMs = 5000;

// The callbacks the window would give, counting their calls. A picture's
// bytes name what was asked and the panel's generation, so every frame can
// be checked for being the right one.
struct CountingPanel {
    int generation = 0;
    QByteArray bigPicture; // served for scale 1 on the layout's background, when set
    std::map<std::pair<int, bool>, int> pictureCalls;
    int valueCalls = 0;

    static QByteArray Picture(int scale, bool transparent, int generation)
    {
        return QByteArray("png scale=") + QByteArray::number(scale) + (transparent ? " clear" : " solid") + " #" +
               QByteArray::number(generation);
    }
    static QByteArray Values(int generation) { return "{\"generation\":" + QByteArray::number(generation) + "}"; }

    int PictureCalls() const
    {
        int calls = 0;
        for (const auto& [kind, count] : pictureCalls) {
            calls += count;
        }
        return calls;
    }
    void ResetCounts()
    {
        pictureCalls.clear();
        valueCalls = 0;
    }
    std::unique_ptr<WebPanelServer> MakeServer()
    {
        return std::make_unique<WebPanelServer>(
            [this](int scale, bool transparent) {
                ++pictureCalls[{scale, transparent}];
                if (!bigPicture.isEmpty() && scale == 1 && !transparent) {
                    return bigPicture;
                }
                return Picture(scale, transparent, generation);
            },
            [this] {
                ++valueCalls;
                return Values(generation);
            });
    }
};

// A browser's WebSocket: everything it is sent, in order.
struct PanelClient {
    QWebSocket socket;
    std::vector<QByteArray> binary;
    std::vector<QString> text;

    PanelClient(std::uint16_t port, const QString& query)
    {
        socket.setProxy(QNetworkProxy::NoProxy);
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived,
                         [this](const QByteArray& message) { binary.push_back(message); });
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString& message) { text.push_back(message); });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws%2").arg(port).arg(query)));
    }
    std::size_t Messages() const { return binary.size() + text.size(); }
};

// A request written byte for byte, as a browser or something worse would;
// returns the status of the answer, 0 when none came.
inline int RawStatus(QTcpSocket& socket, std::uint16_t port, const QByteArray& request)
{
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(kWaitMs)) {
        return 0;
    }
    socket.write(request);
    QByteArray answer;
    const bool answered = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return answer.contains("\r\n\r\n") || socket.state() != QAbstractSocket::ConnectedState;
        },
        kWaitMs);
    if (!answered) {
        return 0;
    }
    // "HTTP/1.1 503 Service Unavailable"
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

inline QByteArray UpgradeRequest(const QByteArray& method, const QByteArray& target, const QByteArray& host)
{
    return method + " " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
}

} // namespace vanemark::test
