#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vanemark {

// The whole text of an entry field as a decimal integer: white space around
// it, a sign only where allowed, at least one digit and nothing else. A number
// too long for 64 bits saturates, so it fails the range check that follows
// rather than being taken for "not a number".
std::optional<std::int64_t> ParseFieldInteger(std::string_view text, bool allowSign);

} // namespace vanemark
