#include "devicelink/ReplyParser.h"

#include "core/NumberText.h"

#include <cstddef>
#include <cstdint>

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

// End of a value starting at `pos`: the first "/" followed by a digit, or the end.
std::size_t ValueEnd(std::string_view text, std::size_t pos)
{
    for (std::size_t p = text.find('/', pos); p != std::string_view::npos; p = text.find('/', p + 1)) {
        if (IsDigit(At(text, p + 1))) {
            return p;
        }
    }
    return text.size();
}

} // namespace

int ReplyParser::Parse(std::string_view datagram, const FieldFn& onField, bool cut) const
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
            pos = datagram.find('/', pos);
            if (pos == std::string_view::npos) {
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
