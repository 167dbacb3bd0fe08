#include "WebTestSupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <gtest/gtest.h>

namespace vanemark {
namespace {

using test::CountingPanel;
using test::kWaitMs;
using test::PanelClient;

QByteArray Get(std::uint16_t port, const QString& path)
{
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply* reply =
        network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path))));
    const bool finished = QTest::qWaitFor([&] { return reply->isFinished(); }, kWaitMs);
    const QByteArray body = finished ? reply->readAll() : QByteArray("(no answer)");
    delete reply;
    return body;
}

// Clients asking for the same picture share one encode; every client gets the
// current frame on connecting and one more per change, and nothing between.
TEST(WebFramesTest, EachKindEncodedOncePerChange)
{
    const struct {
        const char* query;
        int scale; // 0: the values as JSON
        bool transparent;
    } clients[] = {
        {"", 1, false},
        {"?scale=2", 2, false},
        {"?scale=2", 2, false},
        {"?scale=2&bg=transparent", 2, true},
        {"?scale=5", 1, false},
        {"?scale=x&bg=opaque", 1, false},
        {"?format=json", 0, false},
        {"?format=json&scale=3&bg=transparent", 0, false},
    };
    const std::map<std::pair<int, bool>, int> oncePerKind = {{{1, false}, 1}, {{2, false}, 1}, {{2, true}, 1}};
    CountingPanel panel;
    auto server = panel.MakeServer();
    ASSERT_TRUE(server->Start({0, false})) << server->Error().toStdString();

    server->PanelChanged();
    EXPECT_EQ(panel.PictureCalls(), 0) << "no client, no picture";
    EXPECT_EQ(panel.valueCalls, 0);

    std::vector<std::unique_ptr<PanelClient>> sockets;
    for (const auto& client : clients) {
        sockets.push_back(std::make_unique<PanelClient>(server->Port(), client.query));
    }
    const auto received = [&](std::size_t messages) {
        return QTest::qWaitFor(
            [&] {
                for (const auto& socket : sockets) {
                    if (socket->Messages() < messages) {
                        return false;
                    }
                }
                return true;
            },
            kWaitMs);
    };
    ASSERT_TRUE(received(1)) << "the current frame at once";
    EXPECT_EQ(server->ClientCount(), 8);
    EXPECT_EQ(panel.pictureCalls, oncePerKind);
    EXPECT_EQ(panel.valueCalls, 1);

    for (int generation = 1; generation <= 2; ++generation) {
        QTest::qWait(100);
        for (const auto& socket : sockets) {
            ASSERT_EQ(socket->Messages(), static_cast<std::size_t>(generation)) << "no frame without a change";
        }
        panel.generation = generation;
        panel.ResetCounts();
        server->PanelChanged();
        EXPECT_EQ(panel.pictureCalls, oncePerKind);
        EXPECT_EQ(panel.valueCalls, 1);
        ASSERT_TRUE(received(generation + 1));
    }
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        const auto& client = clients[i];
        const PanelClient& socket = *sockets[i];
        for (int generation = 0; generation <= 2; ++generation) {
            if (client.scale == 0) {
                ASSERT_EQ(socket.text.size(), 3u) << client.query;
                EXPECT_TRUE(socket.binary.empty()) << client.query;
                EXPECT_EQ(socket.text[generation].toUtf8(), CountingPanel::Values(generation)) << client.query;
            } else {
                ASSERT_EQ(socket.binary.size(), 3u) << client.query;
                EXPECT_TRUE(socket.text.empty()) << client.query;
                EXPECT_EQ(socket.binary[generation],
                          CountingPanel::Picture(client.scale, client.transparent, generation))
                    << client.query;
            }
        }
    }

    EXPECT_EQ(Get(server->Port(), "/values.json"), CountingPanel::Values(2));
    EXPECT_EQ(Get(server->Port(), "/panel.png?scale=3&bg=transparent"), CountingPanel::Picture(3, true, 2));

    sockets.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->ClientCount() == 0; }, kWaitMs));
    panel.ResetCounts();
    server->PanelChanged();
    EXPECT_EQ(panel.PictureCalls(), 0) << "the last client gone, no picture";
    EXPECT_EQ(panel.valueCalls, 0);
}

} // namespace
} // namespace vanemark
