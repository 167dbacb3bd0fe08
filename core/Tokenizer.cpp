#include "core/Tokenizer.h"

#include "core/NumberText.h"

namespace vanemark {

Tokenizer::Tokenizer(std::string_view text, std::string_view delimiterSet)
{
    SetDelimiters(delimiterSet);
    SetText(text);
}

std::string_view Tokenizer::SetText(std::string_view text)
{
    copy.assign(text);
    cursor = 0;
    hasText = true;
    return copy;
}

std::string_view Tokenizer::SetText(const char* text)
{
    if (text == nullptr) {
        return hasText ? std::string_view(copy) : std::string_view();
    }
    return SetText(std::string_view(text));
}

void Tokenizer::SetDelimiters(std::string_view delimiterSet)
{
    delimiters.assign(delimiterSet);
}

void Tokenizer::SetDelimiters(const char* delimiterSet)
{
    if (delimiterSet != nullptr) {
        SetDelimiters(std::string_view(delimiterSet));
    }
}

bool Tokenizer::IsDelimiter(char c, std::string_view set) const
{
    return set.find(c) != std::string_view::npos;
}

std::string_view Tokenizer::Active(const std::optional<std::string_view>& override) const
{
    return override ? *override : std::string_view(delimiters);
}

std::size_t Tokenizer::End() const
{
    // Terminators written by earlier tokens lie before the cursor, so the
    // first NUL at or after it ends the text.
    auto end = copy.find('\0', cursor);
    return end == std::string::npos ? copy.size() : end;
}

std::optional<std::string_view> Tokenizer::NextToken(std::optional<std::string_view> override)
{
    if (!hasText) {
        return std::nullopt;
    }
    const std::string_view set = Active(override);
    const std::size_t end = End();
    std::size_t i = cursor;
    while (i < end && IsDelimiter(copy[i], set)) {
        ++i;
    }
    if (i >= end) {
        cursor = end;
        return std::nullopt;
    }
    const std::size_t begin = i;
    while (i < end && !IsDelimiter(copy[i], set)) {
        ++i;
    }
    std::string_view token(copy.data() + begin, i - begin);
    if (i < end) {
        copy[i] = '\0';
        cursor = i + 1;
    } else {
        cursor = end;
    }
    return token;
}

int Tokenizer::NextInt()
{
    auto token = NextToken();
    return token ? ParseInt(*token) : 0;
}

std::size_t Tokenizer::SkipDelimiters(std::optional<std::string_view> override)
{
    if (!hasText) {
        return 0;
    }
    const std::string_view set = Active(override);
    const std::size_t end = End();
    while (cursor < end && IsDelimiter(copy[cursor], set)) {
        ++cursor;
    }
    return cursor;
}

std::optional<std::string_view> Tokenizer::Rest(std::optional<std::string_view> override) const
{
    if (!hasText) {
        return std::nullopt;
    }
    const std::string_view set = Active(override);
    const std::size_t end = End();
    std::size_t i = cursor;
    while (i < end && IsDelimiter(copy[i], set)) {
        ++i;
    }
    return std::string_view(copy.data() + i, end - i);
}

namespace {

bool IsTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string& TrimRight(std::string& text)
{
    std::size_t n = text.size();
    while (n > 0 && IsTrailingSpace(text[n - 1])) {
        --n;
    }
    text.resize(n);
    return text;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && IsTrailingSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace vanemark
