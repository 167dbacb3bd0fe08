#include "web/PanelHttpServer.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

#include <utility>

// The page is compiled into this static library; nothing else refers to the
// resource's object file, so without this call the linker would leave it out.
static void InitWebPanelResources()
{
    Q_INIT_RESOURCE(webpanel);
}

namespace vanemark {

namespace {

using Status = QHttpServerResponder::StatusCode;

const QByteArray kNoStore = QByteArrayLiteral("no-store");

QByteArray ReadPage()
{
    InitWebPanelResources();
    QFile file(QStringLiteral(":/web/index.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray RefusalText(int status)
{
    switch (status) {
    case 403:
        return "403 Forbidden: this panel answers only to localhost\n";
    case 405:
        return "405 Method Not Allowed: the panel is read-only, GET only\n";
    case 503:
        return "503 Service Unavailable: too many panels open\n";
    default:
        return "404 Not Found\n";
    }
}

} // namespace

PanelHttpServer::PanelHttpServer(Hooks hooks, bool loopbackOnly, QObject* parent)
    : QAbstractHttpServer(parent), hooks(std::move(hooks)), loopbackOnly(loopbackOnly), page(ReadPage())
{
}

RequestFacts PanelHttpServer::Facts(const QHttpServerRequest& request)
{
    RequestFacts facts;
    facts.get = request.method() == QHttpServerRequest::Method::Get;
    facts.path = request.url().path();
    facts.host = request.value(QByteArrayLiteral("host"));
    facts.upgrade =
        IsWebSocketUpgrade(request.value(QByteArrayLiteral("upgrade")), request.value(QByteArrayLiteral("connection")));
    return facts;
}

bool PanelHttpServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const RequestFacts facts = Facts(request);
    const Verdict verdict = Judge(facts, loopbackOnly, hooks.clientsFull());
    if (facts.upgrade) {
        if (verdict.resource != Resource::FrameSocket) {
            // Answered in missingHandler(), after which Qt closes the connection.
            return false;
        }
        // Nothing written: Qt does the handshake on this socket next.
        hooks.upgrading(socket, FrameKindFromQuery(request.query()));
        return true;
    }
    Answer(request, socket, verdict);
    return true;
}

void PanelHttpServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    Answer(request, socket, Judge(Facts(request), loopbackOnly, hooks.clientsFull()));
}

void PanelHttpServer::Answer(const QHttpServerRequest& request, QTcpSocket* socket, const Verdict& verdict)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    switch (verdict.resource) {
    case Resource::Page:
        responder.write(page, {{"Content-Type", "text/html; charset=utf-8"}, {"Cache-Control", kNoStore}});
        return;
    case Resource::Picture: {
        const FrameKind kind = FrameKindFromQuery(request.query());
        responder.write(hooks.picture(kind.scale, kind.transparent),
                        {{"Content-Type", "image/png"}, {"Cache-Control", kNoStore}});
        return;
    }
    case Resource::Values:
        responder.write(hooks.values(), {{"Content-Type", "application/json"}, {"Cache-Control", kNoStore}});
        return;
    case Resource::FrameSocket:
    case Resource::None:
        break;
    }
    // A WebSocket let through reaches here only if Qt would not upgrade it after all.
    const int code = verdict.resource == Resource::FrameSocket ? 503 : verdict.status;
    const auto status = static_cast<Status>(code);
    // An answer to HEAD has no body: one here would be read as the next answer.
    const QByteArray text = request.method() == QHttpServerRequest::Method::Head ? QByteArray() : RefusalText(code);
    if (code == 405) {
        responder.write(text,
                        {{"Content-Type", "text/plain; charset=utf-8"}, {"Cache-Control", kNoStore}, {"Allow", "GET"}},
                        status);
    } else {
        responder.write(text, {{"Content-Type", "text/plain; charset=utf-8"}, {"Cache-Control", kNoStore}}, status);
    }
}

} // namespace vanemark
