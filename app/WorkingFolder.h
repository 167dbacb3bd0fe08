#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

// The files a working folder starts with. Everything else the program keeps
// (colors.ini, recordings) it makes itself when first needed.
inline constexpr std::array<std::string_view, 3> kShippedFiles{"Vanemark.ini", "Vanemark.cfg", "dlkeys.ini"};

// Where the shipped files are: share/vanemark beside the installed program's
// bin/ folder, else the program's own folder (as Windows installs lay out),
// else `buildTreeFallback` (the source tree's res/, for a program run from its
// build tree). Empty when none holds them.
std::filesystem::path FindShippedFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& buildTreeFallback);

// A program unpacked from the Windows zip keeps its settings beside itself,
// marked by a file of this name there, so that it leaves nothing behind on
// the machine it ran on.
inline constexpr std::string_view kPortableMarker = "portable";

// `programFolder` when it holds the marker and the platform honours it
// (Windows); else empty. A command line that names a folder still wins.
std::filesystem::path PortableFolder(const std::filesystem::path& programFolder);

struct SeedResult {
    std::string error;                 // why the folder cannot be used; empty when it can
    std::vector<std::string> warnings; // missing files that could not be supplied
    std::vector<std::string> copied;   // names of the files this run put there
};

// Makes `folder` (with its parents) and copies in every shipped file it lacks.
// A file already there belongs to the user and is never replaced, so a user
// gets a shipped file back by deleting theirs. With an empty `shipped` each
// missing file is a warning, and the program runs on its defaults.
SeedResult SeedFolder(const std::filesystem::path& folder, const std::filesystem::path& shipped);

} // namespace vanemark
