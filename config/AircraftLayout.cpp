#include "config/AircraftLayout.h"

#include "core/PlatformFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace vanemark::settings {

namespace {

bool Kept(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
           c == '-';
}

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Windows opens the device, not a file, for these names whatever follows the
// first dot; the files are meant to travel between machines, so every build avoids them.
bool IsDeviceName(std::string_view name)
{
    std::string stem(name.substr(0, name.find('.')));
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
}

// FNV-1a: stable across runs and platforms, which std::hash is not.
std::uint32_t Fnv1a(std::string_view text)
{
    std::uint32_t h = 2166136261U;
    for (const char c : text) {
        h = (h ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    return h;
}

} // namespace

std::string AircraftLayoutFileName(std::string_view aircraft)
{
    if (std::all_of(aircraft.begin(), aircraft.end(), IsBlank)) {
        return {};
    }
    std::string name(aircraft);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !Kept(c); }, '_');
    if (name.front() == '.') {
        name.front() = '_';
    }
    // Marked before the cut, so the mark cannot push a long name past the
    // limit; the cut never makes a device name (its part before the first dot
    // stays as it was or is longer than four letters).
    if (IsDeviceName(name)) {
        name.insert(name.begin(), '_');
    }
    if (name.size() > kAircraftNameMax) {
        static constexpr char kHex[] = "0123456789abcdef";
        const std::uint32_t h = Fnv1a(aircraft);
        name.resize(kAircraftNameMax - 9);
        name.push_back('_');
        for (int shift = 28; shift >= 0; shift -= 4) {
            name.push_back(kHex[(h >> shift) & 0xFU]);
        }
    }
    name.append(kAircraftLayoutExtension);
    return name;
}

std::string AircraftLayoutPath(const std::string& settingsPath, std::string_view aircraft)
{
    const std::string file = AircraftLayoutFileName(aircraft);
    if (file.empty()) {
        return {};
    }
    const std::filesystem::path folder = PathFromUtf8(settingsPath).parent_path() / kAircraftLayoutFolder;
    return Utf8FromPath(folder / file);
}

std::string ChooseLayoutFile(const std::string& settingsPath, std::string_view aircraft, const std::string& pilotLayout)
{
    std::string own = AircraftLayoutPath(settingsPath, aircraft);
    std::error_code ec;
    if (!own.empty() && std::filesystem::is_regular_file(PathFromUtf8(own), ec)) {
        return own;
    }
    return pilotLayout;
}

} // namespace vanemark::settings
