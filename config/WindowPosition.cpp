#include "config/WindowPosition.h"

#include "core/NumberText.h"
#include "core/Tokenizer.h"

#include <algorithm>

namespace vanemark::settings {

StoredPosition ParsePosition(std::string_view value)
{
    Tokenizer tokens(value, " ");
    const auto next = [&tokens] { return std::clamp(tokens.NextInt(), -kMaxCoordinate, kMaxCoordinate); };
    StoredPosition position;
    position.top = next();
    position.bottom = next();
    position.left = next();
    position.right = next();
    return position;
}

std::string FormatPosition(const StoredPosition& position)
{
    std::string text = FormatInt(position.top);
    for (const std::int32_t v : {position.bottom, position.left, position.right}) {
        text.append(" ").append(FormatInt(v));
    }
    return text;
}

std::string LogFileNameFor(std::string_view settingsFile)
{
    const auto slash = settingsFile.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = settingsFile.rfind('.');
    std::string_view stem = settingsFile;
    // A leading dot names a hidden file, not an extension.
    if (dot != std::string_view::npos && dot > nameStart) {
        stem = settingsFile.substr(0, dot);
    }
    return std::string(stem) + ".log";
}

} // namespace vanemark::settings
