#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vanemark {

// The 16 custom colours of the colour dialog, kept between runs in a small
// settings file of their own (colors.ini).
using CustomColourSet = std::array<std::uint32_t, 16>;

// Missing keys, a missing file and an empty path all give white.
CustomColourSet LoadCustomColours(const std::string& path);

// All 16 in one rewrite of the file. Does nothing for an empty path.
// Returns 0, or -1 with the reason in *reason when given.
int SaveCustomColours(const std::string& path, const CustomColourSet& colours, std::string* reason = nullptr);

} // namespace vanemark
