#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vanemark {

// The 16 custom colours of the colour dialog, kept between runs in
// section "custom colors" of a small settings file (keys "color-0" .. "color-15").
using CustomColourSet = std::array<std::uint32_t, 16>;

// Missing keys, a missing file and an empty path all give white.
CustomColourSet LoadCustomColours(const std::string& path);

// Does nothing for an empty path. Returns 0, or -1 when a write failed.
int SaveCustomColours(const std::string& path, const CustomColourSet& colours);

} // namespace vanemark
