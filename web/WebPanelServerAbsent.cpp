// The web panel of a build without Qt's HTTP server and WebSockets (the
// Windows build, whose Qt is made from Debian's qtbase alone): the same
// interface, refusing to serve and saying why.
#include "web/WebPanelServer.h"

#include <utility>

namespace vanemark {

struct WebPanelServer::Impl {};

bool WebPanelServer::Available()
{
    return false;
}

WebPanelServer::WebPanelServer(PanelPicture picture, PanelValuesJson values, QObject* parent)
    : QObject(parent), picture(std::move(picture)), values(std::move(values))
{
}

WebPanelServer::~WebPanelServer() = default;

bool WebPanelServer::Start(const WebPanelOptions& /*options*/)
{
    error = QStringLiteral("this build of Vanemark has no web panel");
    return false;
}

void WebPanelServer::Stop() {}

bool WebPanelServer::IsRunning() const
{
    return false;
}

std::uint16_t WebPanelServer::Port() const
{
    return 0;
}

int WebPanelServer::ClientCount() const
{
    return 0;
}

std::int64_t WebPanelServer::QueuedBytes() const
{
    return 0;
}

QStringList WebPanelServer::Urls() const
{
    return {};
}

void WebPanelServer::PanelChanged() {}

void WebPanelServer::SetFrameInterval(int /*milliseconds*/) {}

} // namespace vanemark
