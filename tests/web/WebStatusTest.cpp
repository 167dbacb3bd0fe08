#include "WebTestSupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <gtest/gtest.h>

namespace vanemark {
namespace {

using test::CountingPanel;
using test::kWaitMs;

struct Answer {
    int status = 0;
    QByteArray type;
    QByteArray cache;
    QByteArray body;
};

Answer Fetch(QNetworkAccessManager& network, std::uint16_t port, const QByteArray& method, const QString& path,
             const QByteArray& host)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
    request.setRawHeader("Host", host);
    QNetworkReply* reply = network.sendCustomRequest(request, method);
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, kWaitMs)) {
        reply->deleteLater();
        return {};
    }
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->rawHeader("Content-Type"),
                  reply->rawHeader("Cache-Control"), reply->readAll()};
    reply->deleteLater();
    return answer;
}

// Every status the server gives, on loopback (Host checked) and open to
// other computers (any Host). The Host is judged before the method, the
// method before the path.
TEST(WebStatusTest, HttpStatusRules)
{
    const struct {
        const char* method;
        const char* path;
        const char* host;
        bool upgrade;
        int loopback;
        int open;
    } rows[] = {
        {"GET", "/", "localhost:21180", false, 200, 200},
        {"GET", "/?scale=2&bg=transparent", "LocalHost", false, 200, 200},
        {"GET", "/panel.png", "127.0.0.1", false, 200, 200},
        {"GET", "/panel.png?scale=4", "127.20.30.40:80", false, 200, 200},
        {"GET", "/values.json", "[::1]:8080", false, 200, 200},
        {"GET", "/", "evil.example", false, 403, 200},
        {"GET", "/", "localhost.evil.example", false, 403, 200},
        {"GET", "/", "127.0.0.1.evil.example", false, 403, 200},
        {"GET", "/", "127.0.0.256", false, 403, 200},
        {"GET", "/", "192.168.1.20:21180", false, 403, 200},
        {"GET", "/", "localhost:99999", false, 403, 200},
        {"GET", "/", "localhost:", false, 403, 200},
        {"GET", "/nothing", "localhost", false, 404, 404},
        {"GET", "/ws", "localhost", false, 404, 404},
        {"POST", "/", "localhost", false, 405, 405},
        {"PUT", "/panel.png", "localhost", false, 405, 405},
        {"HEAD", "/", "localhost", false, 405, 405},
        {"POST", "/nothing", "localhost", false, 405, 405},
        {"POST", "/", "evil.example", false, 403, 405},
        {"GET", "/ws", "localhost", true, 101, 101},
        {"GET", "/ws?scale=3", "127.0.0.1:1", true, 101, 101},
        {"GET", "/ws", "evil.example", true, 403, 101},
        {"GET", "/", "localhost", true, 404, 404},
        {"POST", "/ws", "localhost", true, 405, 405},
    };
    CountingPanel panel;
    auto server = panel.MakeServer();
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    for (const bool open : {false, true}) {
        ASSERT_TRUE(server->Start({0, open})) << server->Error().toStdString();
        for (const auto& row : rows) {
            const int expected = open ? row.open : row.loopback;
            const std::string what = std::string(row.method) + " " + row.path + " Host: " + row.host +
                                     (row.upgrade ? " (WebSocket)" : "") + (open ? ", open" : ", loopback");
            if (row.upgrade) {
                QTcpSocket socket;
                EXPECT_EQ(test::RawStatus(socket, server->Port(), test::UpgradeRequest(row.method, row.path, row.host)),
                          expected)
                    << what;
                continue;
            }
            const Answer answer = Fetch(network, server->Port(), row.method, row.path, row.host);
            EXPECT_EQ(answer.status, expected) << what;
            EXPECT_EQ(answer.cache, "no-store") << what;
            if (expected != 200) {
                EXPECT_EQ(answer.type, "text/plain; charset=utf-8") << what;
            } else if (QString(row.path).startsWith("/panel.png")) {
                EXPECT_EQ(answer.type, "image/png") << what;
                const int scale = QString(row.path).endsWith("4") ? 4 : 1;
                EXPECT_EQ(answer.body, CountingPanel::Picture(scale, false, 0)) << what;
            } else if (QString(row.path).startsWith("/values.json")) {
                EXPECT_EQ(answer.type, "application/json") << what;
                EXPECT_EQ(answer.body, CountingPanel::Values(0)) << what;
            } else {
                EXPECT_EQ(answer.type, "text/html; charset=utf-8") << what;
                EXPECT_TRUE(answer.body.contains("image-rendering: pixelated")) << what;
                EXPECT_TRUE(answer.body.contains("/ws")) << what;
            }
        }
    }
}

} // namespace
} // namespace vanemark
