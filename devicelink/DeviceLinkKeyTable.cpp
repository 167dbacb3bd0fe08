#include "devicelink/DeviceLinkKeyTable.h"

#include "core/NumberText.h"
#include "core/ProfileFile.h"
#include "core/Tokenizer.h"

#include <string_view>
#include <vector>

namespace vanemark {

namespace {

constexpr std::string_view kFieldDelimiters = "\t ,";

// An optional sign and decimal digits, nothing else.
bool IsNumber(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Fills `key` from one line; false when the line has no id field or its id
// is not a number.
bool ParseKeyLine(std::string_view line, DeviceLinkKey& key)
{
    Tokenizer fields(line, kFieldDelimiters);
    const auto name = fields.NextToken();
    const auto idText = fields.NextToken();
    if (!name || !idText || !IsNumber(*idText)) {
        return false;
    }
    // name[1] is index 0 on the wire; name[0] and below have no index.
    const auto bracket = name->find('[');
    const std::int32_t number = bracket == std::string_view::npos ? 0 : ParseInt(name->substr(bracket + 1));
    const std::int32_t index = number > 0 ? number - 1 : -1;
    std::uint32_t access = 0;
    if (const auto field = fields.NextToken()) {
        if (field->find('r') != std::string_view::npos) {
            access |= TypedValue::Readable;
        }
        if (field->find('w') != std::string_view::npos) {
            access |= TypedValue::Writable;
        }
    }
    TypedValue::Type type = TypedValue::Double;
    if (const auto field = fields.NextToken(); field && !field->empty()) {
        if ((*field)[0] == 'i') {
            type = TypedValue::Integer;
        } else if ((*field)[0] == 's') {
            type = TypedValue::String;
        }
    }
    key.Declare(*name, ParseInt(*idText), index, type, access);
    return true;
}

} // namespace

void DeviceLinkKeyTable::ClearTable()
{
    keys.reset();
    keyCount = 0;
    idIndex.fill(Slot{});
}

int DeviceLinkKeyTable::Load(const std::string& path)
{
    ClearTable();
    ProfileFile file;
    if (file.Load(path, ';') != 0) {
        return -1;
    }
    std::vector<std::string_view> lines;
    file.Rewind();
    while (const auto line = file.NextLine()) {
        if (!line->empty()) {
            lines.push_back(line->substr(0, kMaxLine));
        }
    }
    if (lines.empty()) {
        return -1;
    }
    keys = std::make_unique<DeviceLinkKey[]>(lines.size());
    for (const std::string_view line : lines) {
        if (ParseKeyLine(line, keys[keyCount])) {
            ++keyCount;
        }
    }
    BuildIndex();
    return static_cast<int>(keyCount);
}

void DeviceLinkKeyTable::BuildIndex()
{
    idIndex.fill(Slot{});
    for (DeviceLinkKey& key : Keys()) {
        if (key.id < 0 || key.id >= kSlots) {
            continue;
        }
        Slot& slot = idIndex[static_cast<std::size_t>(key.id)];
        key.nextOfId = nullptr;
        if (slot.tail == nullptr) {
            slot.head = &key;
        } else {
            slot.tail->nextOfId = &key;
        }
        slot.tail = &key;
    }
    int previous = 0;
    for (int id = 1; id < kSlots; ++id) {
        if (idIndex[static_cast<std::size_t>(id)].head != nullptr) {
            idIndex[static_cast<std::size_t>(previous)].nextUsed = id;
            previous = id;
        }
    }
}

DeviceLinkKey* DeviceLinkKeyTable::KeyById(std::int32_t id) const
{
    if (id < 0 || id >= kSlots) {
        return nullptr;
    }
    return idIndex[static_cast<std::size_t>(id)].head;
}

DeviceLinkKey* DeviceLinkKeyTable::KeyByIdIndex(std::int32_t id, std::int32_t index) const
{
    for (DeviceLinkKey* key = KeyById(id); key != nullptr; key = key->NextOfId()) {
        if (key->Index() == index) {
            return key;
        }
    }
    return nullptr;
}

} // namespace vanemark
