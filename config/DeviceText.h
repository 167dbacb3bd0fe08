#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanemark::settings {

// The words of a binding's value in the settings file, such as
// "GUID 2 inverted NAME": the device first, the name last, since only the
// name may hold blanks.

// Splits off the next word (up to a blank) of `rest`; empty at the end.
std::string_view TakeWord(std::string_view& rest);
// 32 hex digits, in lower case as SDL spells them: a hand-edited upper-case
// GUID is the same device. Nothing for anything else.
std::optional<std::string> ParseGuid(std::string_view word);
// A whole number from 0 up; nothing for a sign, a fraction or other text.
std::optional<std::int32_t> ParseIndex(std::string_view word);
// What remains after the words, without the blanks before it.
std::string NameAfter(std::string_view rest);

} // namespace vanemark::settings
