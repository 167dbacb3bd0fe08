#include "app/StartupSettings.h"

#include "core/NumberText.h"
#include "core/Tokenizer.h"

#include <algorithm>

namespace vanemark {

std::int32_t NormaliseStartupInterval(std::int32_t stored)
{
    const std::int32_t ticks = stored / kTickMs * kTickMs;
    return std::clamp(ticks, kTickMs, kMaxStartupInterval);
}

std::int32_t NormaliseRuntimeInterval(std::int32_t requested)
{
    return std::max(requested, kTickMs) / kTickMs * kTickMs;
}

ServerAddress ParseServer(std::string_view value)
{
    Tokenizer tokens(value, " ,=\t");
    const auto port = tokens.NextToken();
    const auto host = tokens.NextToken();
    ServerAddress address;
    address.port = ParseInt(port ? *port : std::string_view("21100"));
    address.host = host ? std::string(*host) : std::string("127.0.0.1");
    return address;
}

StoredPosition ParsePosition(std::string_view value)
{
    Tokenizer tokens(value, " ");
    StoredPosition position;
    position.top = tokens.NextInt();
    position.bottom = tokens.NextInt();
    position.left = tokens.NextInt();
    position.right = tokens.NextInt();
    return position;
}

std::string FormatPosition(const StoredPosition& position)
{
    return FormatInt(position.top) + ' ' + FormatInt(position.bottom) + ' ' + FormatInt(position.left) + ' ' +
           FormatInt(position.right);
}

std::string LogFileNameFor(std::string_view settingsFile)
{
    const auto slash = settingsFile.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = settingsFile.rfind('.');
    std::string_view stem = settingsFile;
    // A leading dot names a hidden file, not an extension.
    if (dot != std::string_view::npos && dot > nameStart)
        stem = settingsFile.substr(0, dot);
    return std::string(stem) + ".log";
}

} // namespace vanemark
