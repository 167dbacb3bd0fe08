#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vanemark {

// Splits one line on any character of a delimiter set. Works on its own copy;
// tokens handed out stay valid until the next SetText or destruction.
class Tokenizer {
public:
    Tokenizer() = default;
    Tokenizer(std::string_view text, std::string_view delimiterSet);

    // Returns the working copy.
    std::string_view SetText(std::string_view text);
    std::string_view SetText(const char* text); // nullptr changes nothing
    void SetDelimiters(std::string_view delimiterSet);
    void SetDelimiters(const char* delimiterSet); // nullptr changes nothing

    // Override sets apply to this call only.
    std::optional<std::string_view> NextToken(std::optional<std::string_view> override = std::nullopt);
    int NextInt();
    std::size_t SkipDelimiters(std::optional<std::string_view> override = std::nullopt);
    std::optional<std::string_view> Rest(std::optional<std::string_view> override = std::nullopt) const;
    int Position() const { return static_cast<int>(cursor); }

private:
    bool IsDelimiter(char c, std::string_view set) const;
    std::string_view Active(const std::optional<std::string_view>& override) const;
    // Length of the text as a C string: an embedded NUL ends it.
    std::size_t End() const;

    std::string copy;
    std::size_t cursor = 0;
    bool hasText = false;
    std::string delimiters;
};

// Removes trailing space, tab, LF, VT, FF and CR in place.
std::string& TrimRight(std::string& text);
std::string_view TrimRight(std::string_view text);

} // namespace vanemark
