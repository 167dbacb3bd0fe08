#include "core/ProfileFile.h"

#include "core/AtomicFile.h"
#include "core/NumberText.h"
#include "core/ProfileEdit.h"
#include "core/Tokenizer.h"

#include <algorithm>

namespace vanemark {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// CR, LF and NUL each end a line, for the reader and the writer alike: a
// writer that missed one would splice across what the reader sees as two lines.
constexpr std::string_view kLineEnds{"\r\n\0", 3};

bool IsLineEnd(char c)
{
    return kLineEnds.find(c) != std::string_view::npos;
}

// Where the value of a line holding `key` starts within the line; nullopt for
// any other line. The key is the text between any leading "=" and the next
// "=", trailing blanks dropped; the value follows that "=" and any blanks or
// "=" after it. Lookups and writes both match through here, so a write
// replaces the very line a later read takes.
std::optional<std::size_t> ValueOffset(std::string_view line, std::string_view key)
{
    const std::size_t nameBegin = line.find_first_not_of('=');
    if (nameBegin == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t nameEnd = std::min(line.find('=', nameBegin), line.size());
    if (TrimRight(line.substr(nameBegin, nameEnd - nameBegin)) != key) {
        return std::nullopt;
    }
    return std::min(line.find_first_not_of(" =", std::min(nameEnd + 1, line.size())), line.size());
}

} // namespace

ProfileFile::ProfileFile(const std::string& filePath, char comment, std::string_view ending)
{
    Open(filePath, comment, ending);
}

int ProfileFile::Open(const std::string& filePath, char comment, std::string_view ending)
{
    lineEnding = ending.empty() ? std::string("\r\n") : std::string(ending.substr(0, 2));
    return Load(filePath, comment);
}

int ProfileFile::Load(const std::string& filePath, char comment)
{
    Close();
    // The path is kept even when the file is missing: a first write creates it.
    path = filePath;
    commentChar = comment;
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return -1;
    }
    Adopt(std::move(*bytes));
    return 0;
}

void ProfileFile::Adopt(std::string bytes)
{
    size = bytes.size();
    text = std::move(bytes);
    // Two terminators past the end, so the last line is always terminated.
    text.append(2, '\0');

    std::replace_if(text.begin(), text.end(), IsLineEnd, '\0');
    // Lines are the runs between terminators; a NUL byte in the file ends a
    // line just as a line ending does.
    std::size_t begin = 0;
    while (begin < size) {
        std::size_t end = begin;
        while (end < size && text[end] != '\0') {
            ++end;
        }
        if (commentChar != '\0') {
            auto hit = std::find(text.begin() + static_cast<std::ptrdiff_t>(begin),
                                 text.begin() + static_cast<std::ptrdiff_t>(end), commentChar);
            std::fill(hit, text.begin() + static_cast<std::ptrdiff_t>(end), '\0');
            end = static_cast<std::size_t>(hit - text.begin());
        }
        while (end > begin && IsBlank(text[end - 1])) {
            text[--end] = '\0';
        }
        for (std::size_t i = begin; i < end && IsBlank(text[i]); ++i) {
            text[i] = '\0';
        }
        begin = end;
        while (begin < size && text[begin] == '\0') {
            ++begin;
        }
    }
    loaded = true;
    Rewind();
}

int ProfileFile::Reload()
{
    std::string filePath = path;
    return Load(filePath, commentChar);
}

void ProfileFile::Close()
{
    text.clear();
    text.shrink_to_fit();
    size = 0;
    cursor = 0;
    loaded = false;
    path.clear();
}

std::size_t ProfileFile::SkipEmpty(std::size_t pos) const
{
    while (pos < size && text[pos] == '\0') {
        ++pos;
    }
    return pos;
}

void ProfileFile::Rewind()
{
    cursor = SkipEmpty(0);
}

std::optional<std::string_view> ProfileFile::NextLine()
{
    if (!loaded || cursor >= size) {
        return std::nullopt;
    }
    std::string_view line(text.data() + cursor);
    cursor = SkipEmpty(cursor + line.size());
    return line;
}

std::optional<std::string> ProfileFile::ReadLine(std::size_t max)
{
    auto line = NextLine();
    if (!line) {
        return std::nullopt;
    }
    return std::string(line->substr(0, max));
}

long ProfileFile::FindSection(std::string_view section)
{
    if (!loaded || section.empty()) {
        return -1;
    }
    Rewind();
    while (cursor < size) {
        const std::size_t offset = cursor;
        std::string_view line = *NextLine();
        if (line.size() >= section.size() + 2 && line[0] == '[' && line.substr(1, section.size()) == section &&
            line.find(']') == section.size() + 1) {
            return static_cast<long>(offset);
        }
    }
    return -1;
}

std::optional<std::string_view> ProfileFile::FindValue(std::string_view section, std::string_view key)
{
    if (FindSection(section) < 0) {
        return std::nullopt;
    }
    while (auto line = NextLine()) {
        if (line->front() == '[') {
            break;
        }
        if (auto at = ValueOffset(*line, key)) {
            return line->substr(*at);
        }
    }
    return std::nullopt;
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key, std::int32_t def, bool* usedDefault)
{
    auto value = FindValue(section, key);
    if (usedDefault) {
        *usedDefault = !value;
    }
    return value ? ParseInt(*value) : def;
}

double ProfileFile::GetFloat(std::string_view section, std::string_view key, double def, bool* usedDefault)
{
    auto value = FindValue(section, key);
    if (usedDefault) {
        *usedDefault = !value;
    }
    return value ? ParseDouble(*value) : def;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key, std::optional<std::string_view> def,
                                   std::size_t max, bool* usedDefault)
{
    auto value = FindValue(section, key);
    if (!value && !def) {
        return {};
    }
    if (usedDefault) {
        *usedDefault = !value;
    }
    const std::string_view chosen = value ? *value : *def;
    return std::string(chosen.substr(0, max == 0 ? 0 : max - 1));
}

ProfileFile::Target ProfileFile::Locate(std::string_view section, std::string_view key)
{
    Target target;
    if (FindSection(section) < 0) {
        return target;
    }
    target.sectionFound = true;
    target.position = cursor;
    while (cursor < size) {
        const std::size_t offset = cursor;
        std::string_view line = *NextLine();
        if (line.front() == '[') {
            break;
        }
        if (ValueOffset(line, key)) {
            target.keyFound = true;
            target.position = offset;
            break;
        }
    }
    return target;
}

std::string ProfileFile::Rewritten(const std::optional<std::string>& old, std::string_view section,
                                   std::string_view key, std::string_view value)
{
    const Target target = Locate(section, key);
    std::string entry;
    entry.append(key).append("=").append(value);

    std::string out;
    if (!old || !target.sectionFound) {
        if (old) {
            out.append(*old).append(lineEnding);
        }
        out.append("[").append(section).append("]").append(lineEnding);
        out.append(entry).append(lineEnding);
        return out;
    }
    // The disk may have changed behind our back; never index past it.
    const std::size_t pos = std::min(target.position, old->size());
    out.assign(*old, 0, pos);
    if (target.keyFound) {
        out += entry;
        auto lineEnd = old->find_first_of(kLineEnds, pos);
        if (lineEnd != std::string::npos) {
            out.append(*old, lineEnd);
        }
        return out;
    }
    if (pos == old->size() && pos > 0 && !IsLineEnd(old->back())) {
        out += lineEnding;
    }
    out.append(entry).append(lineEnding);
    out.append(*old, pos);
    return out;
}

int ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    return ProfileEdit(*this).Set(section, key, value).Commit();
}

int ProfileFile::WriteInt(std::string_view section, std::string_view key, std::int32_t value)
{
    return WriteString(section, key, FormatInt(value));
}

int ProfileFile::DeleteKey(std::string_view section, std::string_view key)
{
    const Target target = Locate(section, key);
    if (!target.keyFound) {
        return -1;
    }
    auto old = ReadWholeFile(path);
    if (!old) {
        return -1;
    }
    const std::size_t pos = std::min(target.position, old->size());
    std::string out(*old, 0, pos);
    auto lineEnd = old->find_first_of(kLineEnds, pos);
    if (lineEnd != std::string::npos) {
        // A CR LF pair is one line ending.
        std::size_t after = lineEnd + 1;
        if ((*old)[lineEnd] == '\r' && after < old->size() && (*old)[after] == '\n') {
            ++after;
        }
        out.append(*old, after);
    }
    if (path.empty() || ReplaceFileAtomically(path, out) != 0) {
        return -1;
    }
    return Reload();
}

} // namespace vanemark
