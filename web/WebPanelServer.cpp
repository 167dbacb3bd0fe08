#include "web/WebPanelServer.h"

#include "web/FrameClients.h"
#include "web/PanelHttpServer.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QWebSocket>

#include <utility>

namespace vanemark {

struct WebPanelServer::Impl {
    Impl(const PanelPicture& picture, const PanelValuesJson& values) : clients(picture, values, kMaxClients) {}

    FrameClients clients;
    std::unique_ptr<PanelHttpServer> http;
    QTcpServer* listener = nullptr; // owned by `http`
    bool allowOthers = false;
};

bool WebPanelServer::Available()
{
    return true;
}

WebPanelServer::WebPanelServer(PanelPicture picture, PanelValuesJson values, QObject* parent)
    : QObject(parent), picture(std::move(picture)), values(std::move(values))
{
    impl = std::make_unique<Impl>(this->picture, this->values);
}

WebPanelServer::~WebPanelServer()
{
    Stop();
}

bool WebPanelServer::Start(const WebPanelOptions& options)
{
    Stop();
    auto listener = std::make_unique<QTcpServer>();
    const QHostAddress address =
        options.allowOthers ? QHostAddress(QHostAddress::Any) : QHostAddress(QHostAddress::LocalHost);
    if (!listener->listen(address, options.port)) {
        if (listener->serverError() == QAbstractSocket::AddressInUseError) {
            error = QStringLiteral("port %1 is in use by another program").arg(options.port);
        } else {
            error = QStringLiteral("cannot listen on port %1: %2").arg(options.port).arg(listener->errorString());
        }
        return false;
    }
    error.clear();

    PanelHttpServer::Hooks hooks{picture, values, [this] { return impl->clients.Full(); },
                                 [this](QTcpSocket* socket, FrameKind kind) { impl->clients.Expect(socket, kind); }};
    impl->http = std::make_unique<PanelHttpServer>(std::move(hooks), !options.allowOthers);
    PanelHttpServer* http = impl->http.get();
    // Connected before any client can come: Qt upgrades only while someone listens.
    connect(http, &QAbstractHttpServer::newWebSocketConnection, this, [this, http] {
        while (std::unique_ptr<QWebSocket> socket = http->nextPendingWebSocketConnection()) {
            impl->clients.Adopt(std::move(socket));
        }
    });
    impl->listener = listener.release();
    impl->allowOthers = options.allowOthers;
    http->bind(impl->listener);
    return true;
}

void WebPanelServer::Stop()
{
    impl->clients.CloseAll();
    impl->listener = nullptr;
    impl->http.reset();
}

bool WebPanelServer::IsRunning() const
{
    return impl->http != nullptr;
}

std::uint16_t WebPanelServer::Port() const
{
    return impl->listener != nullptr ? impl->listener->serverPort() : 0;
}

int WebPanelServer::ClientCount() const
{
    return impl->clients.Count();
}

std::int64_t WebPanelServer::QueuedBytes() const
{
    return impl->clients.QueuedBytes();
}

QStringList WebPanelServer::Urls() const
{
    if (!IsRunning()) {
        return {};
    }
    const auto url = [this](const QString& host) { return QStringLiteral("http://%1:%2/").arg(host).arg(Port()); };
    QStringList urls{url(QStringLiteral("127.0.0.1"))};
    if (!impl->allowOthers) {
        return urls;
    }
    for (const QNetworkInterface& card : QNetworkInterface::allInterfaces()) {
        const auto flags = card.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : card.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()) {
                const QString address = url(ip.toString());
                if (!urls.contains(address)) {
                    urls.append(address);
                }
            }
        }
    }
    return urls;
}

void WebPanelServer::PanelChanged()
{
    impl->clients.PanelChanged();
}

void WebPanelServer::SetFrameInterval(int milliseconds)
{
    impl->clients.SetFrameInterval(milliseconds);
}

} // namespace vanemark
