#pragma once

#include "panel/PixelGeometry.h"

#include <string>

namespace vanemark {

class ProfileFile;

// Instrument geometry of the layout file, apart from the bars. The defaults
// are those of a panel without any layout file.
struct PanelLayout {
    PixelRect flapsDial{75, -20, 125, 30}; // centre (100, 5), radius 25
    double fullFlapAngle = 60.0;           // degrees, clockwise on screen from the horizontal
    double takeoffAngle = 18.0;            // the three marks in degrees, already scaled by fullFlapAngle
    double combatAngle = 30.0;
    double landingAngle = 60.0;
    PixelRect stickSquare{20, 5, 120, 105};
    PixelRect speedBox{70, 120, 145, 140};
    // Key "show" of each section; a hidden instrument draws nothing at all.
    bool stickShown = true;
    bool flapsShown = true;
    bool speedShown = true;
};

// Size of the main window from section "window" (140 x 140 by default).
struct LayoutWindowSize {
    int cx = 140;
    int cy = 140;
};

// Reads the geometry sections ("flaps", "stick", "speed"); an unloaded profile gives the defaults.
PanelLayout ReadPanelLayout(ProfileFile& profile);
LayoutWindowSize ReadWindowSize(ProfileFile& profile);
// Opens the layout file the way the application does ('#' comments); a missing file gives the defaults.
LayoutWindowSize ReadWindowSize(const std::string& layoutFile);

// Every layout number is a pixel count or coordinate, so each is cut to what
// a screen can hold as it is read; sums of two then stay far inside int.
inline constexpr int kScreenReach = 32767;
// An integer key, clamped to the screen.
int ReadScreenInt(ProfileFile& profile, std::string_view section, std::string_view key, int defaultValue);

// A "pair" value: two integers separated by ",", missing ones read as 0, empty
// pieces skipped; each clamped to the screen.
PixelPoint ReadPair(ProfileFile& profile, std::string_view section, std::string_view key, int defaultFirst,
                    int defaultSecond);

} // namespace vanemark
