// A real browser on the web panel: Debian's headless Chromium loads the page
// from a running Vanemark and its screenshot must be the panel's own
// pixels, as --snapshot writes them, at scale 1 and 2; with bg=transparent
// the background must be see-through and nothing else. The simulator is the
// stand-in server with every value pinned, so that two runs of the program
// draw the same picture.
#include "AppTestSupport.h"

#include "tools/DeviceLinkSim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

using namespace vanemark;
using namespace vanemark::test;

namespace {

QProcessEnvironment Offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

int FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The body of GET `path`, or empty when nothing answers.
QByteArray Get(int port, const QByteArray& path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (!socket.waitForConnected(1000)) {
        return {};
    }
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(2000)) {
        reply += socket.readAll();
    }
    const qsizetype body = reply.indexOf("\r\n\r\n");
    return body < 0 ? QByteArray() : reply.mid(body + 4);
}

// What the browser shows where the page asks for a transparent background:
// the picture with the background colour see-through, and nothing else.
QImage WithoutBackground(const QImage& picture, QRgb background)
{
    QImage see = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < see.height(); ++y) {
        for (int x = 0; x < see.width(); ++x) {
            if ((see.pixel(x, y) & RGB_MASK) == (background & RGB_MASK)) {
                see.setPixel(x, y, 0);
            }
        }
    }
    return see;
}

// "" when the two are the same picture, else how many pixels differ and the first.
std::string Differences(const QImage& seen, const QImage& expected)
{
    int count = 0;
    std::string first;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (seen.pixel(x, y) != expected.pixel(x, y) && count++ == 0) {
                first = QStringLiteral(", first at %1,%2: %3 instead of %4")
                            .arg(x)
                            .arg(y)
                            .arg(seen.pixel(x, y), 8, 16, QLatin1Char('0'))
                            .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'))
                            .toStdString();
            }
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ" + first;
}

} // namespace

TEST(Browser, ShowsThePanelsOwnPixels)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) {
        GTEST_SKIP() << "no chromium (./dev installs it)";
    }
    WorkFolder folder;
    folder.CopyShippedFiles();
    DeviceLinkSimOptions simOptions;
    simOptions.port = 0;
    DeviceLinkSim sim(simOptions);
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    // Every value the panel shows, pinned: the synthetic flight would move it.
    const std::pair<int, const char*> pins[] = {{30, "312.0"}, {80, "0.6"},  {82, "0.3"},  {84, "-0.4"}, {86, "0.2"},
                                                {88, "0.1"},   {46, "12.0"}, {48, "-4.0"}, {92, "0.9"},  {90, "0.0"},
                                                {94, "0.2"},   {96, "-0.3"}, {98, "0.05"}};
    for (const auto& [id, value] : pins) {
        sim.SetValue(id, value);
    }
    sim.SetValue(22, "Still Life");

    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        folder.Write("Vanemark.ini", "[settings]\nserver=" + std::to_string(sim.Port()) +
                                         " 127.0.0.1 127.0.0.1\ninterval=100\nscale=" + std::to_string(scale) + "\n");
        QProcess snapshot;
        snapshot.setProcessEnvironment(Offscreen());
        snapshot.start(QStringLiteral(VANEMARK_PROGRAM), {QStringLiteral("--snapshot"), folder.Path("snapshot.png"),
                                                          QStringLiteral("--cycles"), QStringLiteral("20")});
        ASSERT_TRUE(snapshot.waitForFinished(30000));
        ASSERT_EQ(snapshot.exitCode(), 0) << snapshot.readAllStandardError().toStdString();
        const QImage expected = QImage(folder.Path("snapshot.png")).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(expected.isNull());

        const int port = FreePort();
        QProcess server;
        server.setProcessEnvironment(Offscreen());
        server.start(QStringLiteral(VANEMARK_PROGRAM), {QStringLiteral("--web-port"), QString::number(port)});
        ASSERT_TRUE(server.waitForStarted(10000));
        // Served, and the simulator's values in: the same still picture as the snapshot's.
        ASSERT_TRUE(QTest::qWaitFor([&] { return Get(port, "/values.json").contains("\"speed_kmh\":312"); }, 20000))
            << server.readAllStandardError().toStdString();

        for (const bool transparent : {false, true}) {
            SCOPED_TRACE(transparent ? "bg=transparent" : "bg as the layout's");
            const QString shot = folder.Path(transparent ? "transparent.png" : "opaque.png");
            QProcess browser;
            browser.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                     QStringLiteral("--disable-gpu"), QStringLiteral("--hide-scrollbars"),
                                     QStringLiteral("--force-device-scale-factor=1"),
                                     QStringLiteral("--default-background-color=00000000"),
                                     QStringLiteral("--virtual-time-budget=3000"),
                                     QStringLiteral("--window-size=%1,%2").arg(expected.width()).arg(expected.height()),
                                     QStringLiteral("--screenshot=") + shot,
                                     QStringLiteral("http://127.0.0.1:%1/?scale=%2%3")
                                         .arg(port)
                                         .arg(scale)
                                         .arg(transparent ? QStringLiteral("&bg=transparent") : QString())});
            ASSERT_TRUE(browser.waitForFinished(60000));
            const QImage seen = QImage(shot).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(seen.size(), expected.size()) << browser.readAllStandardError().toStdString();
            const std::string differences =
                Differences(seen, transparent ? WithoutBackground(expected, qRgb(0, 0, 0)) : expected);
            EXPECT_EQ(differences, "");
            if (!differences.empty()) {
                // The two pictures outlive the test's folder, for a look.
                const QString kept = QDir::temp().filePath(QStringLiteral("vanemark-browser-%1-").arg(scale));
                QFile::remove(kept + QStringLiteral("snapshot.png"));
                QFile::remove(kept + QFileInfo(shot).fileName());
                QFile::copy(folder.Path("snapshot.png"), kept + QStringLiteral("snapshot.png"));
                QFile::copy(shot, kept + QFileInfo(shot).fileName());
                ADD_FAILURE() << "kept as " << kept.toStdString() << "*.png";
            }
        }
        server.terminate();
        ASSERT_TRUE(server.waitForFinished(10000));
    }
}
