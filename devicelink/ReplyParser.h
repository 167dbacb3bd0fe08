#pragma once

#include "devicelink/DeviceLinkKey.h"
#include "devicelink/DeviceLinkKeyTable.h"

#include <functional>
#include <string_view>

namespace vanemark {

// Takes a reply datagram apart: "A" then fields "/id\value", indexed keys
// "/id\index\value", ids 4 and 6 "/id\x\value". A value runs to the next "/"
// that is followed by a digit, so values may themselves contain "/".
// Anything malformed ends the datagram; fields already handed out stay.
class ReplyParser {
public:
    using FieldFn = std::function<void(DeviceLinkKey& key, std::string_view value)>;

    explicit ReplyParser(const DeviceLinkKeyTable& keyTable) : table(keyTable) {}

    // Calls onField for every field in order; the number of fields. cut: the
    // datagram went on past `datagram`, so a value running to its end may be
    // cut short; nothing tells, so it is dropped.
    int Parse(std::string_view datagram, const FieldFn& onField, bool cut = false) const;

private:
    const DeviceLinkKeyTable& table;
};

} // namespace vanemark
