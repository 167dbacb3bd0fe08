#include "panel/PanelLayout.h"

#include "core/ProfileFile.h"
#include "core/Tokenizer.h"

#include <algorithm>
#include <string>

namespace vanemark {

namespace {

// Pairs and words go through a buffer of this size: at most 254 characters count.
constexpr std::size_t kValueBuffer = 255;

std::string PairText(int first, int second)
{
    return std::to_string(first) + "," + std::to_string(second);
}

int ClampToScreen(int value)
{
    return std::clamp(value, -kScreenReach, kScreenReach);
}

} // namespace

int ReadScreenInt(ProfileFile& profile, std::string_view section, std::string_view key, int defaultValue)
{
    return ClampToScreen(profile.GetInt(section, key, defaultValue));
}

PixelPoint ReadPair(ProfileFile& profile, std::string_view section, std::string_view key, int defaultFirst,
                    int defaultSecond)
{
    const std::string text = profile.GetString(section, key, PairText(defaultFirst, defaultSecond), kValueBuffer);
    Tokenizer tokens(text, ",");
    PixelPoint p;
    p.x = ClampToScreen(tokens.NextInt());
    p.y = ClampToScreen(tokens.NextInt());
    return p;
}

PanelLayout ReadPanelLayout(ProfileFile& profile)
{
    PanelLayout layout;

    const int r = ReadScreenInt(profile, "flaps", "len", 25);
    const PixelPoint flapsCentre = ReadPair(profile, "flaps", "start", 100, 5);
    layout.flapsDial = {flapsCentre.x - r, flapsCentre.y - r, flapsCentre.x + r, flapsCentre.y + r};

    const double full = profile.GetFloat("flaps", "full", 60.0);
    layout.fullFlapAngle = full;
    layout.takeoffAngle = profile.GetFloat("flaps", "takeoff", 30.0) * full * 0.01;
    layout.combatAngle = profile.GetFloat("flaps", "combat", 50.0) * full * 0.01;
    layout.landingAngle = profile.GetFloat("flaps", "landing", 100.0) * full * 0.01;

    const PixelPoint stickTop = ReadPair(profile, "stick", "top", 20, 5);
    const int stickSize = ReadScreenInt(profile, "stick", "size", 100);
    layout.stickSquare = {stickTop.x, stickTop.y, stickTop.x + stickSize, stickTop.y + stickSize};

    const PixelPoint speedTop = ReadPair(profile, "speed", "top", 70, 120);
    const PixelPoint speedSize = ReadPair(profile, "speed", "size", 75, 20);
    layout.speedBox = {speedTop.x, speedTop.y, speedTop.x + speedSize.x, speedTop.y + speedSize.y};

    layout.stickShown = profile.GetInt("stick", "show", 1) != 0;
    layout.flapsShown = profile.GetInt("flaps", "show", 1) != 0;
    layout.speedShown = profile.GetInt("speed", "show", 1) != 0;
    return layout;
}

LayoutWindowSize ReadWindowSize(ProfileFile& profile)
{
    LayoutWindowSize size;
    size.cx = ReadScreenInt(profile, "window", "cx", 140);
    size.cy = ReadScreenInt(profile, "window", "cy", 140);
    return size;
}

LayoutWindowSize ReadWindowSize(const std::string& layoutFile)
{
    ProfileFile profile;
    profile.Open(layoutFile, '#', "\r\n");
    return ReadWindowSize(profile);
}

} // namespace vanemark
