#include "app/WorkingFolder.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using namespace vanemark;
namespace fs = std::filesystem;

TEST(WorkingFolder, SeedsWhatIsMissingAndKeepsWhatTheUserHas)
{
    const fs::path shipped = fs::path(VANEMARK_SOURCE_DIR) / "res";
    struct Row {
        const char* name;
        std::string folder;             // below the temporary folder
        std::vector<std::string> users; // files the user already has there
        bool blockedByFile;             // a plain file stands where the folder should be
    };
    for (const Row& row :
         std::vector<Row>{{"first use, parents made", "a/b/vanemark", {}, false},
                          {"own settings kept", "v", {"Vanemark.ini"}, false},
                          {"nothing missing", "v", {"Vanemark.ini", "Vanemark.cfg", "dlkeys.ini"}, false},
                          {"a file in the way", "v", {}, true}}) {
        const test::TempDir temp;
        const fs::path folder = temp.path / row.folder;
        if (row.blockedByFile) {
            temp.Write(row.folder, "x");
        } else {
            fs::create_directories(folder.parent_path());
        }
        for (const std::string& name : row.users) {
            fs::create_directories(folder);
            temp.Write((fs::path(row.folder) / name).string(), "mine");
        }
        const SeedResult result = SeedFolder(folder, shipped);
        EXPECT_EQ(result.error.empty(), !row.blockedByFile) << row.name;
        EXPECT_TRUE(result.warnings.empty()) << row.name;
        if (row.blockedByFile) {
            continue;
        }
        for (const std::string_view name : kShippedFiles) {
            const bool users = std::count(row.users.begin(), row.users.end(), name) != 0;
            EXPECT_EQ(test::TempDir::Read((folder / name).string()),
                      users ? "mine" : test::TempDir::Read((shipped / name).string()))
                << row.name << ": " << name;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3) << row.name;
    }

    // Installed beside bin/ wins; a build tree, or an install missing a file, falls back to the sources.
    const test::TempDir prefix;
    fs::create_directories(prefix.path / "bin");
    fs::create_directories(prefix.path / "share/vanemark");
    for (const std::string_view name : kShippedFiles) {
        EXPECT_EQ(FindShippedFolder(prefix.path / "bin", shipped), shipped.lexically_normal()) << name;
        fs::copy_file(shipped / name, prefix.path / "share/vanemark" / name);
    }
    EXPECT_EQ(FindShippedFolder(prefix.path / "bin", shipped), (prefix.path / "share/vanemark").lexically_normal());
    EXPECT_EQ(FindShippedFolder(prefix.path / "bin/sub", prefix.path / "none"), fs::path());
    // A Windows install holds them beside the program.
    fs::copy(shipped, prefix.path / "bin/sub");
    EXPECT_EQ(FindShippedFolder(prefix.path / "bin/sub", prefix.path / "none"),
              (prefix.path / "bin/sub").lexically_normal());
}

TEST(WorkingFolder, PortableMarkerKeepsTheFilesBesideTheProgramOnWindowsOnly)
{
    const test::TempDir program;
    EXPECT_EQ(PortableFolder(program.path), fs::path());
    program.Write("portable", "");
#if defined(_WIN32)
    EXPECT_EQ(PortableFolder(program.path), program.path);
#else
    EXPECT_EQ(PortableFolder(program.path), fs::path());
#endif
    EXPECT_EQ(PortableFolder(fs::path()), fs::path());
}
