// A browser's request to the web panel: its Host, path and query come from
// the network. Whatever they hold, a site other than this machine is refused
// before anything else is judged, and a picture is asked for at a scale the
// panel can be drawn at.
#include "FuzzCheck.h"
#include "web/RequestRules.h"

#include <QUrlQuery>

#include <cstdint>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vanemark;
    if (size < 1) {
        return 0;
    }
    // The first byte: the method, the upgrade, how the server listens, whether it is full.
    const std::uint8_t flags = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QList<QByteArray> parts = rest.split('\n');
    RequestFacts request;
    request.get = (flags & 1) != 0;
    request.upgrade = (flags & 2) != 0;
    request.host = parts.value(0);
    request.path = QString::fromUtf8(parts.value(1));
    const bool loopbackOnly = (flags & 4) != 0;
    const bool full = (flags & 8) != 0;

    const Verdict verdict = Judge(request, loopbackOnly, full);
    FUZZ_CHECK(verdict.status == 101 || verdict.status == 200 || verdict.status == 403 || verdict.status == 404 ||
               verdict.status == 405 || verdict.status == 503);
    const bool loopback = IsLoopbackHost(request.host);
    if (loopbackOnly && !loopback) {
        FUZZ_CHECK(verdict.status == 403);
    }
    if (loopback) {
        // Only the three loopback spellings, with a port at most.
        const QByteArray name = request.host.toLower();
        FUZZ_CHECK(name.startsWith("localhost") || name.startsWith("127.") || name.startsWith("[::1]"));
    }
    if (verdict.status == 200 || verdict.status == 101) {
        FUZZ_CHECK(request.get && verdict.resource != Resource::None);
        FUZZ_CHECK((verdict.status == 101) == (verdict.resource == Resource::FrameSocket));
        FUZZ_CHECK(verdict.status != 101 || (request.upgrade && !full));
    }
    FUZZ_CHECK(Judge(request, loopbackOnly, full).status == verdict.status);

    const FrameKind kind = FrameKindFromQuery(QUrlQuery(QString::fromUtf8(parts.value(2))));
    FUZZ_CHECK(kind.scale >= 1 && kind.scale <= 4);
    if (kind.json) {
        FUZZ_CHECK(kind.scale == 1 && !kind.transparent);
    }
    return 0;
}
