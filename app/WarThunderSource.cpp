#include "app/WarThunderSource.h"

#include "app/WarThunderJson.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace vanemark {

WarThunderSource::WarThunderSource(QObject* parent) : SimSource(settings::Simulator::WarThunder, parent) {}

WarThunderSource::~WarThunderSource()
{
    WarThunderSource::Stop();
}

bool WarThunderSource::Start(const settings::SimulatorSetting& setting, int /*intervalMs*/)
{
    Stop();
    base.setScheme(QStringLiteral("http"));
    base.setHost(QString::fromStdString(setting.warThunderHost));
    base.setPort(setting.warThunderPort);
    started = true;
    Poll();
    return true;
}

void WarThunderSource::Stop()
{
    started = false;
    for (QPointer<QNetworkReply>* pending : {&stateReply, &indicatorsReply}) {
        if (*pending) {
            QNetworkReply* reply = *pending;
            *pending = nullptr;
            reply->disconnect(this);
            reply->abort();
            reply->deleteLater();
        }
    }
    inBattle = false;
    Forget();
}

void WarThunderSource::Poll()
{
    if (!started) {
        return;
    }
    // One of each in flight at most: a game that answers slowly is not
    // asked faster than it answers.
    Ask(Document::State, stateReply);
    Ask(Document::Indicators, indicatorsReply);
}

void WarThunderSource::Ask(Document document, QPointer<QNetworkReply>& pending)
{
    if (pending) {
        return;
    }
    QUrl url = base;
    url.setPath(document == Document::State ? QStringLiteral("/state") : QStringLiteral("/indicators"));
    QNetworkRequest request(url);
    request.setTransferTimeout(kTimeoutMs);
    QNetworkReply* reply = network.get(request);
    pending = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (received > kMaxWarThunderDocument && reply->isRunning()) {
            Count(Verdict::Oversized);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, document, reply] { OnFinished(document, reply); });
}

void WarThunderSource::OnFinished(Document document, QNetworkReply* reply)
{
    reply->deleteLater();
    (document == Document::State ? stateReply : indicatorsReply) = nullptr;
    if (!started) {
        return;
    }
    refused = reply->error() == QNetworkReply::ConnectionRefusedError;
    if (reply->error() != QNetworkReply::NoError) {
        error = refused ? QString() : reply->errorString();
        inBattle = false;
        return;
    }
    error.clear();
    const QByteArray body = reply->readAll();
    const WarThunderRead read =
        document == Document::State ? ReadWarThunderState(body, latest) : ReadWarThunderIndicators(body, latest);
    inBattle = read.inBattle;
    if (read.verdict != Verdict::Taken || inBattle) {
        Count(read.verdict);
    }
    if (!inBattle) {
        // Out of the battle nothing of the last one is true any more.
        Forget();
    }
}

QString WarThunderSource::StatusText() const
{
    const QString name = Name(Which());
    if (Answering()) {
        return QCoreApplication::translate("Simulator", "%1: in a battle (%2)").arg(name, base.toString());
    }
    if (!error.isEmpty()) {
        return QCoreApplication::translate("Simulator", "%1: %2").arg(name, error);
    }
    return QCoreApplication::translate("Simulator", "%1: not in a battle (%2)").arg(name, base.toString());
}

} // namespace vanemark
