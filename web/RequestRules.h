#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUrlQuery>

#include <compare>

namespace vanemark {

// What one WebSocket client is sent: a PNG at a scale, on the layout's
// background or a transparent one, or the values as JSON. Clients of one kind
// share one encoded frame.
struct FrameKind {
    int scale = 1;
    bool transparent = false;
    bool json = false;
    friend auto operator<=>(const FrameKind&, const FrameKind&) = default;
};

// ?scale=N (1 to 4, anything else 1), ?bg=transparent, ?format=json. The
// picture's options mean nothing to a JSON client, so all of those are one kind.
FrameKind FrameKindFromQuery(const QUrlQuery& query);

// "localhost", 127.x.x.x or [::1], each with an optional :port. A page from
// another site that a rebound DNS name points at this machine still sends
// that site's name, and is refused.
bool IsLoopbackHost(QByteArrayView host);

// Whether the request asks to become a WebSocket, by the rule Qt's parser
// goes by: an Upgrade header (here "websocket") with "upgrade" among the
// Connection tokens. Qt hands the socket over only for such a request.
bool IsWebSocketUpgrade(QByteArrayView upgrade, QByteArrayView connection);

enum class Resource { None, Page, Picture, Values, FrameSocket };

struct RequestFacts {
    bool get = false;
    QString path;
    QByteArray host;
    bool upgrade = false;
};

// The HTTP status a request gets and, for 200 (101 for the WebSocket), what
// it is answered with. The Host is judged first, so that a refused site
// learns nothing else; then the method, the path, and room for a client.
struct Verdict {
    int status = 404;
    Resource resource = Resource::None;
};
Verdict Judge(const RequestFacts& request, bool loopbackOnly, bool clientsFull);

} // namespace vanemark
