#include "AppTestSupport.h"

#include "app/WebPanelOutput.h"
#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <memory>

using namespace vanemark;
using namespace vanemark::test;

namespace {

// The server runs on this thread, so the request must leave its event loop running.
QByteArray Get(int port, const QString& path)
{
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> reply(
        network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)))));
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000) || reply->error() != QNetworkReply::NoError) {
        return {};
    }
    return reply->readAll();
}

} // namespace

// The window's web panel serves what the window shows: the values under the
// recording's names, and the panel's own pixels; a port in use leaves the
// window running without it.
TEST(WebWindow, ServesWhatThePanelShows)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    DeviceLinkSimOptions options;
    options.port = 0;
    DeviceLinkSim sim(options);
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    sim.SetValue(30, "250.5");
    sim.SetValue(84, "-0.25");
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    const std::string settings =
        "server=" + std::to_string(sim.Port()) +
        " 127.0.0.1 127.0.0.1\ninterval=50\nweb panel=1\nweb port=" + std::to_string(taken.serverPort()) + "\n";
    auto window = StartWindow(folder, settings, true);
    EXPECT_FALSE(window->Web().IsRunning()) << "the port is another program's";
    EXPECT_NE(window->SetWebPanel(window->WebPanel()), "");
    taken.close();
    ASSERT_EQ(window->SetWebPanel(window->WebPanel()), "");
    const int port = static_cast<int>(window->WebPanel().port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Panel().Values().speed == 250.5; }, 5000));

    const QJsonObject values = QJsonDocument::fromJson(Get(port, QStringLiteral("/values.json"))).object();
    EXPECT_EQ(values.value(QLatin1String("speed_kmh")).toDouble(), 250.5);
    EXPECT_EQ(values.value(QLatin1String("stick_x")).toDouble(), -0.25);
    EXPECT_TRUE(values.value(QLatin1String("hand_stick_x")).isNull()) << "no joystick bound";
    const QImage served =
        QImage::fromData(Get(port, QStringLiteral("/panel.png"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(served, window->Panel().Image());

    window->SetWebPanel({});
    EXPECT_FALSE(window->Web().IsRunning());
    EXPECT_TRUE(Get(port, QStringLiteral("/values.json")).isEmpty()) << "off means nobody answers";
}
