#pragma once

#include <string>
#include <string_view>

// Per-aircraft layout files: "layouts/NAME.cfg" beside the settings file,
// NAME made from the aircraft text the simulator reports.
namespace vanemark::settings {

inline constexpr std::string_view kAircraftLayoutFolder = "layouts";
inline constexpr std::string_view kAircraftLayoutExtension = ".cfg";
// Longest NAME; longer texts are cut and tagged with a hash of the whole text.
inline constexpr std::size_t kAircraftNameMax = 100;

// NAME.cfg for the aircraft text: every character outside A-Z a-z 0-9 . _ -
// becomes '_', and so does a leading '.', so the file is never hidden and never
// "." or ".."; a Windows device name (CON, NUL, COM1, ...) gets a leading '_';
// a text longer than kAircraftNameMax keeps its first characters plus '_' and
// eight hex digits of a hash of the whole text, so two long names stay apart.
// Empty when the text is empty or only white space: no aircraft, no file.
std::string AircraftLayoutFileName(std::string_view aircraft);

// "layouts/NAME.cfg" in the folder of the settings file; empty without a name.
std::string AircraftLayoutPath(const std::string& settingsPath, std::string_view aircraft);

// The layout to show for the aircraft: its own file when that is a regular
// file, otherwise pilotLayout (the "pilot cfg" value, used as it is).
std::string ChooseLayoutFile(const std::string& settingsPath, std::string_view aircraft,
                             const std::string& pilotLayout);

} // namespace vanemark::settings
