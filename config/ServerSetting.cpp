#include "config/ServerSetting.h"

#include "core/NumberText.h"
#include "core/Tokenizer.h"

namespace vanemark::settings {

ServerSetting ParseServer(std::string_view value)
{
    Tokenizer tokens(value, kServerDelimiters);
    ServerSetting server;
    const auto port = tokens.NextToken();
    const auto host = tokens.NextToken();
    if (port) {
        server.port = ParseInt(*port);
    }
    if (host) {
        server.host = std::string(*host);
        const auto rest = tokens.Rest();
        server.localAddress = rest ? std::string(*rest) : std::string();
    }
    return server;
}

std::string FormatServer(const ServerSetting& server)
{
    std::string text = FormatInt(server.port);
    text.append(" ").append(server.host).append(" ").append(server.localAddress);
    return text;
}

bool IsStorableAddress(std::string_view address)
{
    // '#' starts a comment in the settings file: the rest of the line would be lost.
    return address.find_first_of(kServerDelimiters) == std::string_view::npos &&
           address.find('#') == std::string_view::npos;
}

} // namespace vanemark::settings
