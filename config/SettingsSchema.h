#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Everything Vanemark.ini is made of: the file's conventions, its one
// section, every key name and every default. Start-up, the settings pages
// and the exit sequence all read these, so a key is renamed in one place.
namespace vanemark::settings {

inline constexpr std::string_view kFileName = "Vanemark.ini";
inline constexpr std::string_view kSection = "settings";
inline constexpr char kCommentChar = '#';
inline constexpr std::string_view kLineEnd = "\r\n";
// Text values are read into buffers of this size (one more than the longest text).
inline constexpr std::size_t kTextBuffer = 1024;
// Before the window exists the layout file name is read into a smaller buffer.
inline constexpr std::size_t kPreWindowTextBuffer = 256;
// The window and the General page read "server" alike, so that both see
// the same address in an overlong line.
inline constexpr std::size_t kServerTextBuffer = 256;

inline constexpr std::string_view kLayoutFileKey = "pilot cfg";
inline constexpr std::string_view kLayoutFileDefault = "Vanemark.cfg";
inline constexpr std::string_view kKeyFileKey = "keyfile";
inline constexpr std::string_view kKeyFileDefault = "dlkeys.ini";
inline constexpr std::string_view kDemoKey = "demo";
inline constexpr std::string_view kIntervalKey = "interval";
inline constexpr std::int32_t kIntervalDefault = 500;
inline constexpr std::string_view kServerKey = "server";
inline constexpr std::string_view kServerDefault = "21100 127.0.0.1 127.0.0.1";
inline constexpr std::string_view kPositionKey = "position";
inline constexpr std::string_view kPositionDefault = "0 82 0 278";
inline constexpr std::string_view kFontNameKey = "font name";
inline constexpr std::string_view kFontSizeKey = "font size";
inline constexpr std::string_view kShowTitleKey = "show title";
// The panel font and title strip when the file names none.
inline constexpr std::string_view kFontNameDefault = "Courier New";
inline constexpr std::int32_t kFontSizeDefault = 8;

// The overlay's own keys. A file without them keeps the window exactly as
// it always looked: 1x, opaque, taking clicks, always shown, km/h.
inline constexpr std::string_view kScaleKey = "scale";
inline constexpr std::int32_t kScaleDefault = 1;
inline constexpr std::int32_t kScaleMin = 1;
inline constexpr std::int32_t kScaleMax = 4;
inline constexpr std::string_view kOpacityKey = "opacity";
inline constexpr std::int32_t kOpacityDefault = 100;
inline constexpr std::int32_t kOpacityMin = 20;
inline constexpr std::int32_t kOpacityMax = 100;
inline constexpr std::string_view kLockedKey = "locked";
// Whether the hand is marked beside the simulator's values; 1 by default.
inline constexpr std::string_view kHandMarkersKey = "hand markers";
inline constexpr std::string_view kHideIdleKey = "hide idle";
inline constexpr std::string_view kSpeedUnitKey = "speed unit";
inline constexpr std::string_view kSpeedUnitDefault = "kmh";

// The colour dialog's custom colours live beside the program's other files,
// in a file of the same kind: keys "color-0" .. "color-15", white when missing.
inline constexpr std::string_view kCustomColoursFile = "colors.ini";
inline constexpr std::string_view kCustomColoursSection = "custom colors";
inline constexpr std::string_view kCustomColourKeyPrefix = "color-";
inline constexpr std::int32_t kCustomColourDefault = 0xFFFFFF;

} // namespace vanemark::settings
