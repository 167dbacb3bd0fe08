#pragma once

#include "core/ProfileFile.h"

#include <string>

namespace vanemark::settings {

// Vanemark.ini (or any file of its kind) opened with its conventions:
// '#' comments, CR LF line ends. A missing file gives an empty profile.
ProfileFile OpenSettings(const std::string& path);

// The text a failed write shows the user: the file and the reason.
std::string SaveFailureText(const std::string& path, const std::string& reason);

} // namespace vanemark::settings
