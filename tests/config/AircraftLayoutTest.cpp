#include "config/AircraftLayout.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanemark::settings;
namespace fs = std::filesystem;

TEST(AircraftLayout, NameIsOneSafeFileName)
{
    // Never out of layouts/, never hidden, no device names; byte by byte, as the simulator's encoding is not known.
    const struct {
        std::string_view aircraft, file;
    } rows[] = {{"Fw 190 A-4 (late)", "Fw_190_A-4__late_.cfg"},
                {"../../etc/passwd", "_._.._etc_passwd.cfg"},
                {".", "_.cfg"},
                {"..", "_..cfg"},
                {"\xD0\xAF\xD0\xBA-9", "____-9.cfg"},
                {"con", "_con.cfg"},
                {"LPT1.x", "_LPT1.x.cfg"},
                {"COM10", "COM10.cfg"},
                {"", ""},
                {" \t", ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(AircraftLayoutFileName(row.aircraft), row.file) << row.aircraft;
    }
    const std::string longName(150, 'a');
    const std::string cut = AircraftLayoutFileName(longName);
    EXPECT_EQ(cut.size(), kAircraftNameMax + kAircraftLayoutExtension.size());
    EXPECT_EQ(cut.substr(0, kAircraftNameMax - 8), std::string(kAircraftNameMax - 9, 'a') + "_");
    EXPECT_NE(cut, AircraftLayoutFileName(longName + "b")) << "long names that share their start stay apart";
}

TEST(AircraftLayout, OwnFileBesideTheSettingsElseThePilotLayout)
{
    const vanemark::test::TempDir dir;
    fs::create_directories(dir.path / "layouts" / "Spitfire.cfg");
    const std::string settings = dir.File("Vanemark.ini");
    const std::string own = dir.Write((fs::path("layouts") / "Bf_109.cfg").string(), "[window]\r\n");
    EXPECT_EQ(AircraftLayoutPath(settings, "Bf 109"), own);
    EXPECT_EQ(AircraftLayoutPath("Vanemark.ini", "Bf 109"), (fs::path("layouts") / "Bf_109.cfg").string());
    EXPECT_EQ(ChooseLayoutFile(settings, "Bf 109", "pilot.cfg"), own);
    EXPECT_EQ(ChooseLayoutFile(settings, "Bf 110", "pilot.cfg"), "pilot.cfg");
    EXPECT_EQ(ChooseLayoutFile(settings, "Spitfire", "pilot.cfg"), "pilot.cfg") << "a folder is no layout";
}
