#include "devicelink/ReplyParser.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace vanemark {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal integer at `pos` as the C library reads one (white space, sign,
// digits). Leaves pos unchanged when there are no digits.
std::int32_t ReadDecimal(std::string_view text, std::size_t& pos)
{
    std::size_t p = pos;
    while (p < text.size() && IsSpace(text[p])) {
        ++p;
    }
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        ++p;
    }
    const std::size_t digits = p;
    while (p < text.size() && IsDigit(text[p])) {
        ++p;
    }
    if (p == digits) {
        return 0;
    }
    const std::int32_t value = ParseInt(text.substr(pos, p - pos));
    pos = p;
    return value;
}

char At(std::string_view text, std::size_t pos)
{
    return pos < text.size() ? text[pos] : '\0';
}

// A backslash before "/" or "\\" escapes it; any other stays as it is.
bool EscapesNext(std::string_view text, std::size_t pos)
{
    return text[pos] == '\\' && (At(text, pos + 1) == '/' || At(text, pos + 1) == '\\');
}

// End of a value starting at `pos`: the first unescaped "/" (followed by a
// digit when digitNeeded), or the end.
std::size_t ValueEnd(std::string_view text, std::size_t pos, bool digitNeeded = true)
{
    for (std::size_t p = pos; p < text.size(); ++p) {
        if (EscapesNext(text, p)) {
            ++p;
        } else if (text[p] == '/' && (!digitNeeded || IsDigit(At(text, p + 1)))) {
            return p;
        }
    }
    return text.size();
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// See Decode. Only the exact shapes the server prints are mended, so a
// value that merely looks alike ("0.1000", "0.10") keeps its meaning.
std::string_view MendNumber(std::string_view value, std::string& scratch)
{
    const bool negative = value.starts_with('-');
    const std::size_t signLength = negative || value.starts_with('+') ? 1 : 0;
    const std::string_view body = value.substr(signLength);
    if (negative && body.find('0') != std::string_view::npos &&
        body.find_first_not_of("0.") == std::string_view::npos) {
        return body;
    }
    const std::string_view whole = body.substr(0, body.size() - std::min<std::size_t>(body.size(), 4));
    if (!body.ends_with(".100") || !AllDigits(whole)) {
        return value;
    }
    // The integer part plus one, away from zero, done on the digits so that
    // no integer part is too long for it.
    std::string mended("0");
    mended.append(whole);
    std::size_t p = mended.size();
    while (mended[--p] == '9') {
        mended[p] = '0';
    }
    ++mended[p];
    mended.erase(0, mended.find_first_not_of('0'));
    if (negative) {
        mended.insert(0, 1, '-');
    }
    scratch = std::move(mended);
    return scratch;
}

} // namespace

std::string_view ReplyParser::Decode(std::string_view raw, bool numeric, std::string& scratch)
{
    std::string_view value = raw;
    if (raw.find('\\') != std::string_view::npos) {
        scratch.clear();
        for (std::size_t p = 0; p < raw.size(); ++p) {
            p += EscapesNext(raw, p) ? 1 : 0;
            scratch.push_back(raw[p]);
        }
        value = scratch;
    }
    return numeric ? MendNumber(value, scratch) : value;
}

int ReplyParser::Parse(std::string_view datagram, const FieldFn& onField, bool cut) const
{
    std::string scratch;
    return ParseRaw(
        datagram,
        [&](DeviceLinkKey& key, std::string_view raw) {
            // The clock is printed as a float of its own form, with no rounding slip to mend.
            constexpr std::int32_t kClockKey = 20;
            onField(key, Decode(raw, key.ValueType() != TypedValue::String && key.Id() != kClockKey, scratch));
        },
        cut);
}

int ReplyParser::ParseRaw(std::string_view datagram, const FieldFn& onField, bool cut) const
{
    // The datagram is handled as a C string: an embedded NUL ends it, and
    // ends it for certain.
    const std::size_t nul = datagram.find('\0');
    cut = cut && nul == std::string_view::npos;
    datagram = datagram.substr(0, nul);
    if (datagram.size() < 2 || datagram[0] != 'A' || datagram[1] != '/') {
        return 0;
    }
    int applied = 0;
    std::size_t pos = 1; // at a "/"
    while (pos < datagram.size() && datagram[pos] == '/') {
        ++pos;
        const std::int32_t id = ReadDecimal(datagram, pos);
        if (At(datagram, pos) != '\\') {
            break;
        }
        DeviceLinkKey* key = table.KeyById(id);
        if (key == nullptr) {
            pos = ValueEnd(datagram, pos + 1, false);
            if (pos == datagram.size()) {
                break;
            }
            continue;
        }
        if (key->IsIndexed()) {
            ++pos;
            const std::int32_t index = ReadDecimal(datagram, pos);
            key = table.KeyByIdIndex(id, index);
            if (key == nullptr || At(datagram, pos) != '\\') {
                break;
            }
        }
        if (id == 4 || id == 6) {
            ++pos;
            ReadDecimal(datagram, pos);
        }
        if (At(datagram, pos) != '\\') {
            if (At(datagram, pos) == '/') {
                continue;
            }
            break;
        }
        ++pos;
        const std::size_t end = ValueEnd(datagram, pos);
        if (cut && end == datagram.size()) {
            break;
        }
        onField(*key, datagram.substr(pos, end - pos));
        ++applied;
        pos = end;
    }
    return applied;
}

} // namespace vanemark
