#include "config/DeviceText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vanemark::settings {

namespace {
constexpr std::size_t kGuidDigits = 32;
}

std::string_view TakeWord(std::string_view& rest)
{
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

std::optional<std::string> ParseGuid(std::string_view word)
{
    if (word.size() != kGuidDigits ||
        !std::all_of(word.begin(), word.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
        return std::nullopt;
    }
    std::string guid(word);
    std::transform(guid.begin(), guid.end(), guid.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return guid;
}

std::optional<std::int32_t> ParseIndex(std::string_view word)
{
    std::int32_t index = -1;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), index);
    if (word.empty() || ec != std::errc{} || end != word.data() + word.size() || index < 0) {
        return std::nullopt;
    }
    return index;
}

std::string NameAfter(std::string_view rest)
{
    const std::size_t start = rest.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string() : std::string(rest.substr(start));
}

} // namespace vanemark::settings
