#pragma once

#include "app/SimSource.h"

#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;

namespace vanemark {

// War Thunder: its local web server asked for /state and /indicators once
// per cycle while in a battle, once a second while not. A refused
// connection is a game not in a battle (its server is not up then).
class WarThunderSource final : public SimSource {
    Q_OBJECT

public:
    // A reply slower than this is given up: the next poll asks again.
    static constexpr int kTimeoutMs = 1000;

    explicit WarThunderSource(QObject* parent = nullptr);
    ~WarThunderSource() override;

    bool Start(const settings::SimulatorSetting& setting, int intervalMs) override;
    void Stop() override;
    void Poll() override;
    QString StatusText() const override;

private:
    enum class Document { State, Indicators };
    void Ask(Document document, QPointer<QNetworkReply>& pending);
    void OnFinished(Document document, QNetworkReply* reply);

    QNetworkAccessManager network;
    QUrl base;
    QPointer<QNetworkReply> stateReply;
    QPointer<QNetworkReply> indicatorsReply;
    bool started = false;
    bool refused = false;
    bool inBattle = false;
    QString error;
};

} // namespace vanemark
