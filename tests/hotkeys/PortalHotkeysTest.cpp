#include "hotkeys/PortalHotkeys.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>

using namespace vanemark;

namespace {

const QString kPortal = QStringLiteral("/org/freedesktop/portal/desktop");

struct Seen {
    QString session, closed;
    std::map<std::string, std::string> triggers; // by shortcut id
};

// Answers as a desktop's portal may: the Response goes out on the path made of
// the caller's unique name and handle_token before the call's reply, so only a
// caller that subscribed before calling hears it. Runs on a thread of its own,
// for the availability check blocks the caller's.
class FakePortal : public QDBusVirtualObject {
public:
    Seen Snapshot()
    {
        const std::scoped_lock lock(mutex_);
        return seen_;
    }
    QString introspect(const QString& /*path*/) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override
    {
        const std::scoped_lock lock(mutex_);
        auto& [session, closed, triggers] = seen_;
        if (call.member() == "Get") {
            return bus.send(call.createReply(QVariant::fromValue(QDBusVariant(2U))));
        }
        if (call.member() == "Close") {
            closed = call.path();
            return bus.send(call.createReply());
        }
        const auto options = qdbus_cast<QVariantMap>(call.arguments().constLast());
        const QString caller = call.service().mid(1).replace('.', '_') + '/';
        QVariantMap results;
        if (call.member() == "CreateSession") {
            session = kPortal + "/session/" + caller + options["session_handle_token"].toString();
            results["session_handle"] = session;
        } else if (call.arguments().at(0).value<QDBusObjectPath>().path() == session) {
            const auto shortcuts = call.arguments().at(1).value<QDBusArgument>();
            shortcuts.beginArray();
            while (!shortcuts.atEnd()) {
                QString id;
                QVariantMap properties;
                shortcuts.beginStructure();
                shortcuts >> id >> properties;
                shortcuts.endStructure();
                triggers[id.toStdString()] = properties["preferred_trigger"].toString().toStdString();
            }
            shortcuts.endArray();
        }
        const QString request = kPortal + "/request/" + caller + options["handle_token"].toString();
        bus.send(QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response") << 0U << results);
        return bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    }

private:
    std::mutex mutex_;
    Seen seen_;
};

void Activate(const QDBusConnection& bus, const QString& session, const QString& id)
{
    bus.send(QDBusMessage::createSignal(kPortal, "org.freedesktop.portal.GlobalShortcuts", "Activated")
             << QVariant::fromValue(QDBusObjectPath(session)) << id << 0ULL << QVariantMap());
}

} // namespace

TEST(PortalHotkeys, BindsThroughTheDesktopsPortalAndHearsOnlyItsOwnSession)
{
    // A bus of our own that starts no services, so no real portal turns up.
    QTemporaryFile config;
    ASSERT_TRUE(config.open());
    config.write(R"(<busconfig><listen>unix:tmpdir=/tmp</listen><policy context="default">
        <allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy></busconfig>)");
    config.close();
    QProcess daemon;
    daemon.start("dbus-daemon", {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
    const auto stopDaemon = qScopeGuard([&] { daemon.terminate(), daemon.waitForFinished(10000); });
    ASSERT_TRUE(daemon.waitForReadyRead(10000)) << daemon.readAllStandardError().toStdString();
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    const QDBusConnection bus = QDBusConnection::connectToBus(address, "app");
    const std::vector<Hotkey> hotkeys{{3, Qt::CTRL | Qt::ALT | Qt::Key_H}, {8, QKeyCombination(Qt::Key_F5)}};
    {
        PortalHotkeys none(bus);
        EXPECT_EQ(none.Unavailable(), "This desktop offers no global hotkeys.");
        EXPECT_EQ(none.Replace(hotkeys), std::vector(2, HotkeyState::Unavailable));
    }

    QDBusConnection portalBus = QDBusConnection::connectToBus(address, "portal");
    FakePortal portal;
    ASSERT_TRUE(portalBus.registerService("org.freedesktop.portal.Desktop"));
    ASSERT_TRUE(portalBus.registerVirtualObject(kPortal, &portal, QDBusConnection::SubPath));
    QThread thread;
    portal.moveToThread(&thread);
    thread.start();
    const auto stopThread = qScopeGuard([&] { thread.quit(), thread.wait(); });
    PortalHotkeys desktop(bus);
    QSignalSpy activated(&desktop, &GlobalHotkeys::activated);
    EXPECT_EQ(desktop.Unavailable(), "");
    EXPECT_EQ(desktop.Replace(hotkeys), std::vector(2, HotkeyState::Bound));
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal.Snapshot().triggers.size() == 2; }, 10000));
    const Seen bound = portal.Snapshot();
    EXPECT_EQ(bound.triggers, (std::map<std::string, std::string>{{"3", "CTRL+ALT+h"}, {"8", "F5"}}));

    // Another program's session uses the same ids; it goes first, so it would
    // be the one heard if it were not told apart.
    Activate(portalBus, kPortal + "/session/1_1/other", "3");
    Activate(portalBus, bound.session, "8");
    ASSERT_TRUE(activated.wait(10000));
    EXPECT_EQ(activated.takeFirst().at(0).toInt(), 8);

    desktop.Replace({});
    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.Snapshot().closed == bound.session; }, 10000));
}
