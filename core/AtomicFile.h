#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanemark {

// The whole file, byte for byte; nullopt when it is missing, not a regular
// file or cannot be read completely.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so readers and crashes only ever see the old or the new file.
// On failure returns -1, leaves the target untouched, removes the temporary
// file and, when reason is given, stores why in the system's words
// ("No space left on device", "Is a directory", ...).
int ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason = nullptr);

} // namespace vanemark
