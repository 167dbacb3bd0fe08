#include "web/RequestRules.h"

#include <vector>

namespace vanemark {

namespace {

constexpr int kMaxScale = 4;

std::vector<QByteArrayView> Split(QByteArrayView text, char separator)
{
    std::vector<QByteArrayView> parts;
    for (qsizetype start = 0;;) {
        const qsizetype end = text.indexOf(separator, start);
        if (end < 0) {
            parts.push_back(text.sliced(start));
            return parts;
        }
        parts.push_back(text.sliced(start, end - start));
        start = end + 1;
    }
}

bool IsDecimal(QByteArrayView text, qsizetype maxDigits, int maxValue)
{
    if (text.isEmpty() || text.size() > maxDigits) {
        return false;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= maxValue;
}

bool IsLoopbackIpv4(QByteArrayView host)
{
    const std::vector<QByteArrayView> octets = Split(host, '.');
    if (octets.size() != 4 || octets[0] != "127") {
        return false;
    }
    for (const QByteArrayView octet : octets) {
        if (!IsDecimal(octet, 3, 255)) {
            return false;
        }
    }
    return true;
}

} // namespace

FrameKind FrameKindFromQuery(const QUrlQuery& query)
{
    FrameKind kind;
    if (query.queryItemValue(QStringLiteral("format")) == QLatin1String("json")) {
        kind.json = true;
        return kind;
    }
    bool number = false;
    const int scale = query.queryItemValue(QStringLiteral("scale")).toInt(&number);
    kind.scale = number && scale >= 1 && scale <= kMaxScale ? scale : 1;
    kind.transparent = query.queryItemValue(QStringLiteral("bg")) == QLatin1String("transparent");
    return kind;
}

bool IsLoopbackHost(QByteArrayView host)
{
    // The port follows the last colon, except inside the brackets of an IPv6 address.
    const qsizetype colon = host.lastIndexOf(':');
    if (colon >= 0 && colon > host.lastIndexOf(']')) {
        if (!IsDecimal(host.sliced(colon + 1), 5, 65535)) {
            return false;
        }
        host = host.first(colon);
    }
    return host.compare("localhost", Qt::CaseInsensitive) == 0 || host == "[::1]" || IsLoopbackIpv4(host);
}

bool IsWebSocketUpgrade(QByteArrayView upgrade, QByteArrayView connection)
{
    if (upgrade.trimmed().compare("websocket", Qt::CaseInsensitive) != 0) {
        return false;
    }
    for (const QByteArrayView token : Split(connection, ',')) {
        if (token.trimmed().compare("upgrade", Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

Verdict Judge(const RequestFacts& request, bool loopbackOnly, bool clientsFull)
{
    if (loopbackOnly && !IsLoopbackHost(request.host)) {
        return {403, Resource::None};
    }
    if (!request.get) {
        return {405, Resource::None};
    }
    if (request.upgrade) {
        if (request.path != QLatin1String("/ws")) {
            return {404, Resource::None};
        }
        return clientsFull ? Verdict{503, Resource::None} : Verdict{101, Resource::FrameSocket};
    }
    // /ws is a WebSocket and nothing else: a plain GET of it finds no page.
    if (request.path == QLatin1String("/")) {
        return {200, Resource::Page};
    }
    if (request.path == QLatin1String("/panel.png")) {
        return {200, Resource::Picture};
    }
    if (request.path == QLatin1String("/values.json")) {
        return {200, Resource::Values};
    }
    return {404, Resource::None};
}

} // namespace vanemark
