#include "app/LinkStatusText.h"

#include "app/LinkKeys.h"

#include <QCoreApplication>
#include <QStringList>

namespace vanemark {

namespace {

QString Seconds(double seconds)
{
    return QString::number(seconds, 'f', seconds < 10.0 ? 1 : 0);
}

// The address the simulator sees our requests come from, for its IPS list.
QString OurAddress(const DeviceLinkClient::LinkStatus& status)
{
    if (!status.localAddress.empty()) {
        return QString::fromStdString(status.localAddress);
    }
    // Unbound, the system sends from loopback to a loopback server and from
    // the network address otherwise.
    return status.host.starts_with("127.") ? QStringLiteral("127.0.0.1")
                                           : QCoreApplication::translate("LinkStatus", "this computer's address");
}

QString NoReplyHint(const DeviceLinkClient::LinkStatus& status, double silentFor)
{
    const QString host = QString::fromStdString(status.host);
    return QCoreApplication::translate("LinkStatus",
                                       "No reply for %1 s. Check that\n"
                                       "- the simulator runs, with DeviceLink enabled;\n"
                                       "- its conf.ini has, in section [DeviceLink]:\n"
                                       "    port=%2\n"
                                       "    host=%3\n"
                                       "    IPS=%4\n"
                                       "  port equal to ours; host the address we send to (without it the simulator\n"
                                       "  listens on the machine's network address, not on 127.0.0.1); IPS listing\n"
                                       "  our address (several separated by spaces).")
        .arg(Seconds(silentFor))
        .arg(status.port)
        .arg(host, OurAddress(status));
}

// "speed, bank": what the panel calls each id, else the number.
QString Names(const std::vector<std::int32_t>& ids)
{
    QStringList names;
    for (const std::int32_t id : ids) {
        const char* name = ShownName(id);
        names << (*name != '\0' ? QCoreApplication::translate("LinkStatus", name) : QString::number(id));
    }
    return names.join(QStringLiteral(", "));
}

// "Not sent by the simulator: speed, bank (online mission?)"
QString SilentValues(const DeviceLinkClient::LinkStatus& status)
{
    QString line =
        QCoreApplication::translate("LinkStatus", "Not sent by the simulator: %1").arg(Names(status.silentKeys));
    if (status.silence == LinkSilence::FlightKeys) {
        line += QCoreApplication::translate("LinkStatus", " (online mission?)");
    }
    return line;
}

} // namespace

QString LinkStatusText(const DeviceLinkClient::LinkStatus& status, bool live)
{
    QStringList lines;
    if (!live) {
        lines << QCoreApplication::translate("LinkStatus", "Demo motion: DeviceLink values are not shown");
    }
    lines << QCoreApplication::translate("LinkStatus", "DeviceLink server %1:%2")
                 .arg(QString::fromStdString(status.host))
                 .arg(status.port);
    if (!status.startError.empty()) {
        lines << QCoreApplication::translate("LinkStatus", "Cannot start: %1; trying again every few seconds")
                     .arg(QString::fromStdString(status.startError));
    }
    // A key table that gave nothing, or lacks what the panel shows, would
    // leave gauges empty on a link that looks healthy.
    const QString keyTable = QString::fromStdString(status.keyTable);
    if (!status.keyTable.empty() && status.keys < 1) {
        lines << QCoreApplication::translate("LinkStatus",
                                             "Key table %1: no key could be read, so nothing is asked for")
                     .arg(keyTable);
    } else if (!status.refusedKeys.empty()) {
        lines << QCoreApplication::translate("LinkStatus", "Not in the key table %1, never asked for: %2")
                     .arg(keyTable, Names(status.refusedKeys));
    }
    lines << (status.connected ? QCoreApplication::translate("LinkStatus", "Connected")
                               : QCoreApplication::translate("LinkStatus", "Waiting for the simulator"));
    if (status.silence == LinkSilence::NotInCockpit) {
        lines << QCoreApplication::translate("LinkStatus", "Not in the cockpit: the simulator answers only its clock");
    } else if (status.silence != LinkSilence::None) {
        lines << SilentValues(status);
    }
    if (!status.aircraft.empty()) {
        lines << QCoreApplication::translate("LinkStatus", "Aircraft: %1").arg(QString::fromStdString(status.aircraft));
    }
    lines
        << (status.sinceLastReply
                ? QCoreApplication::translate("LinkStatus", "Last reply: %1 s ago").arg(Seconds(*status.sinceLastReply))
                : QCoreApplication::translate("LinkStatus", "Last reply: none yet"));
    lines << QCoreApplication::translate("LinkStatus", "Replies per second: %1")
                 .arg(QString::number(status.repliesPerSecond, 'f', 1));
    if (NoReplyHintDue(status, live)) {
        lines << QString() << NoReplyHint(status, status.sinceLastReply.value_or(status.sinceStart));
    }
    return lines.join(QLatin1Char('\n'));
}

bool NoReplyHintDue(const DeviceLinkClient::LinkStatus& status, bool live)
{
    return live && status.started && status.sinceLastReply.value_or(status.sinceStart) >= kNoReplyHintSeconds;
}

} // namespace vanemark
