#include "WebTestSupport.h"

#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <algorithm>

namespace vanemark {
namespace {

using test::CountingPanel;
using test::kWaitMs;
using test::PanelClient;

TEST(WebLimitsTest, SeventeenthClientGets503UntilOneLeaves)
{
    CountingPanel panel;
    auto server = panel.MakeServer();
    ASSERT_TRUE(server->Start({0, false}));
    std::vector<std::unique_ptr<PanelClient>> clients;
    for (int i = 0; i < WebPanelServer::kMaxClients; ++i) {
        clients.push_back(std::make_unique<PanelClient>(server->Port(), QString()));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->ClientCount() == WebPanelServer::kMaxClients; }, kWaitMs));

    const QByteArray upgrade = test::UpgradeRequest("GET", "/ws", "localhost");
    QTcpSocket refused;
    EXPECT_EQ(test::RawStatus(refused, server->Port(), upgrade), 503);
    EXPECT_TRUE(QTest::qWaitFor([&] { return refused.state() == QAbstractSocket::UnconnectedState; }, kWaitMs))
        << "closed after the answer";
    EXPECT_EQ(server->ClientCount(), WebPanelServer::kMaxClients);

    clients.pop_back();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->ClientCount() < WebPanelServer::kMaxClients; }, kWaitMs));
    QTcpSocket welcome;
    EXPECT_EQ(test::RawStatus(welcome, server->Port(), upgrade), 101);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server->ClientCount() == WebPanelServer::kMaxClients; }, kWaitMs));
}

// A client that upgrades and then never reads: its frames pile up until a
// second's worth waits, and it is dropped; a reading client stays.
TEST(WebLimitsTest, ClientThatStopsReadingIsDropped)
{
    constexpr int kIntervalMs = 500; // two frames to the second
    constexpr std::int64_t kPicture = 1 << 20;
    CountingPanel panel;
    panel.bigPicture = QByteArray(kPicture, 'p');
    auto server = panel.MakeServer();
    server->SetFrameInterval(kIntervalMs);
    ASSERT_TRUE(server->Start({0, false}));

    QTcpSocket stalled;
    // Qt would read everything into memory for us; this socket takes 64 KiB at most.
    stalled.setReadBufferSize(64 * 1024);
    ASSERT_EQ(test::RawStatus(stalled, server->Port(), test::UpgradeRequest("GET", "/ws", "localhost")), 101);
    stalled.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 64 * 1024);
    PanelClient reading(server->Port(), QStringLiteral("?scale=2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->ClientCount() == 2 && reading.Messages() == 1; }, kWaitMs));

    std::int64_t mostQueued = 0;
    int changes = 0;
    for (; changes < 200 && server->ClientCount() == 2; ++changes) {
        server->PanelChanged();
        mostQueued = std::max(mostQueued, server->QueuedBytes());
        QTest::qWait(5);
    }
    EXPECT_EQ(server->ClientCount(), 1) << "after " << changes << " changes";
    // Two frames may wait, a third drops the client; the reading one's are small.
    EXPECT_LE(mostQueued, 2 * (kPicture + 64) + 64 * 1024);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reading.Messages() == static_cast<std::size_t>(changes) + 1; }, kWaitMs));
    EXPECT_EQ(reading.socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_LT(server->QueuedBytes(), kPicture);
}

TEST(WebLimitsTest, PortInUseAndAddresses)
{
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    CountingPanel panel;
    auto server = panel.MakeServer();
    EXPECT_FALSE(server->Start({other.serverPort(), false}));
    EXPECT_EQ(server->Error(), QStringLiteral("port %1 is in use by another program").arg(other.serverPort()));
    EXPECT_FALSE(server->IsRunning());
    EXPECT_EQ(server->Port(), 0);
    EXPECT_TRUE(server->Urls().isEmpty());

    ASSERT_TRUE(server->Start({0, false}));
    EXPECT_TRUE(server->Error().isEmpty());
    const QString own = QStringLiteral("http://127.0.0.1:%1/").arg(server->Port());
    EXPECT_EQ(server->Urls(), QStringList{own});

    ASSERT_TRUE(server->Start({0, true}));
    const QStringList urls = server->Urls();
    ASSERT_FALSE(urls.isEmpty());
    EXPECT_EQ(urls.front(), QStringLiteral("http://127.0.0.1:%1/").arg(server->Port()));
    const QRegularExpression ipv4(QStringLiteral("^http://(\\d+\\.){3}\\d+:%1/$").arg(server->Port()));
    for (const QString& url : urls) {
        EXPECT_TRUE(ipv4.match(url).hasMatch()) << url.toStdString();
        EXPECT_TRUE(url == urls.front() || !url.startsWith("http://127.")) << url.toStdString();
    }
    server->Stop();
    EXPECT_FALSE(server->IsRunning());
    EXPECT_EQ(server->Port(), 0);
}

} // namespace
} // namespace vanemark
