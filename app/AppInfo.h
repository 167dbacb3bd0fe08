#pragma once

#include <string_view>

namespace vanemark {

// The window title and the version line; the settings dialog shows the same text.
inline constexpr std::string_view kAppTitle = "Vanemark v2.0.0";
inline constexpr std::string_view kVersionText = "2.0.0";

// Start-up and the exit sequence always use this file in the working folder;
// a settings file named on the command line only chooses the layout file.
inline constexpr std::string_view kSettingsFileName = "Vanemark.ini";
inline constexpr std::string_view kSettingsSection = "settings";
inline constexpr char kSettingsComment = '#';
inline constexpr std::string_view kSettingsLineEnd = "\r\n";

inline constexpr std::string_view kSocketsFailedText = "Windows sockets initialization failed.";

} // namespace vanemark
