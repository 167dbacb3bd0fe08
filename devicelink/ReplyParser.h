#pragma once

#include "devicelink/DeviceLinkKey.h"
#include "devicelink/DeviceLinkKeyTable.h"

#include <functional>
#include <string_view>

namespace vanemark {

// Takes a reply datagram apart: "A" then fields "/id\value", indexed keys
// "/id\index\value", ids 4 and 6 "/id\x\value". A value runs to the next "/"
// that is followed by a digit, so values may themselves contain "/"; the
// server also puts a backslash before every "/" and "\" of a value, and an
// escaped "/" never ends one. Anything malformed ends the datagram; fields
// already handed out stay.
class ReplyParser {
public:
    using FieldFn = std::function<void(DeviceLinkKey& key, std::string_view value)>;

    explicit ReplyParser(const DeviceLinkKeyTable& keyTable) : table(keyTable) {}

    // Calls onField for every field in order with its value as the server
    // meant it (see Decode); the number of fields. cut: the datagram went on
    // past `datagram`, so a value running to its end may be cut short;
    // nothing tells, so it is dropped.
    int Parse(std::string_view datagram, const FieldFn& onField, bool cut = false) const;
    // The same fields with their values exactly as they stand in `datagram`.
    int ParseRaw(std::string_view datagram, const FieldFn& onField, bool cut = false) const;

    // A value as it stands on the wire, as the server meant it: escapes
    // undone, and for a number (numeric true) the server's rounding slips
    // mended: it prints two decimals but loses the carry, so x.995 to x.999
    // arrive as "x.100", and values just below zero as "-0.00". The result
    // views `raw` or `scratch`.
    static std::string_view Decode(std::string_view raw, bool numeric, std::string& scratch);

private:
    const DeviceLinkKeyTable& table;
};

} // namespace vanemark
