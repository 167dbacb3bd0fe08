#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using vanemark::ProfileFile;
using vanemark::test::TempDir;

TEST(ProfileFile, LookupsHonourCommentsSectionsAndFirstMatch)
{
    TempDir dir;
    const std::string path = dir.Write("a.ini", "[settings]\r\n"
                                                "  interval = 250 # fast\r\n"
                                                "grid color=12648384\r\n"
                                                "name=  ==first\r\n"
                                                "name=second\r\n"
                                                "word=abc\r\n"
                                                "bare key\r\n"
                                                "big=99999999999\r\n"
                                                "ratio = -1.5e2x\r\n"
                                                "[Settings]\r\n"
                                                "other=1\r\n");
    ProfileFile hash(path, '#');
    bool usedDefault = true;
    EXPECT_EQ(hash.GetInt("settings", "interval", 7, &usedDefault), 250);
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(hash.GetInt("settings", "grid color", 0), 12648384);
    EXPECT_EQ(hash.GetString("settings", "name", "x"), "first");
    EXPECT_EQ(hash.GetInt("settings", "word", 5, &usedDefault), 0);
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(hash.GetString("settings", "bare key", "x", 256, &usedDefault), "");
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(hash.GetInt("settings", "big", 0), INT_MAX);
    EXPECT_DOUBLE_EQ(hash.GetFloat("settings", "ratio", 0.0), -150.0);
    EXPECT_EQ(hash.GetInt("settings", "other", 3, &usedDefault), 3); // [Settings] is another section
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(hash.GetInt("Settings", "other", 3), 1);
    EXPECT_EQ(hash.GetInt("", "other", 3), 3);
    EXPECT_EQ(hash.GetString("settings", "word", "x", 3), "ab");

    // Without a default, a missing key leaves the flag alone.
    usedDefault = false;
    EXPECT_EQ(hash.GetString("settings", "missing", std::nullopt, 256, &usedDefault), "");
    EXPECT_FALSE(usedDefault);

    ProfileFile semicolon(path);
    EXPECT_EQ(semicolon.GetString("settings", "interval", ""), "250 # fast");
    EXPECT_EQ(semicolon.GetInt("settings", "interval", 0), 250);
}

TEST(ProfileFile, PreparedTextKeepsFileOffsetsAndSequentialReading)
{
    TempDir dir;
    const std::string bytes = "; head\n  [keys]  \r\n\r\n\tA\t=\t1 ; c\rlast";
    ProfileFile file(dir.Write("k.ini", bytes));
    ASSERT_TRUE(file.IsLoaded());
    EXPECT_EQ(file.Size(), bytes.size());
    const long header = file.FindSection("keys");
    EXPECT_EQ(header, static_cast<long>(bytes.find("[keys]")));
    EXPECT_EQ(file.Text().substr(static_cast<std::size_t>(header), 6), "[keys]");
    auto line = file.NextLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "A\t=\t1");
    EXPECT_EQ(line->data() - file.Text().data(), static_cast<long>(bytes.find("A\t=")));
    EXPECT_EQ(file.ReadLine(2), "la");
    EXPECT_EQ(file.NextLine(), std::nullopt);

    file.Rewind();
    EXPECT_EQ(file.NextLine(), "[keys]");
}

TEST(ProfileFile, HostileFilesGiveDefinedResults)
{
    TempDir dir;
    ProfileFile file;
    EXPECT_EQ(file.Load(dir.File("missing.ini")), -1);
    EXPECT_FALSE(file.IsLoaded());
    bool usedDefault = false;
    EXPECT_EQ(file.GetInt("s", "k", 42, &usedDefault), 42);
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(file.FindSection("s"), -1);

    EXPECT_EQ(file.Load(dir.path.string()), -1); // a directory

    EXPECT_EQ(file.Load(dir.Write("empty.ini", "")), 0);
    EXPECT_EQ(file.NextLine(), std::nullopt);
    EXPECT_EQ(file.GetInt("s", "k", 1), 1);

    EXPECT_EQ(file.Load(dir.Write("comments.ini", "# one\r\n\r\n   # two\r\n"), '#'), 0);
    EXPECT_EQ(file.GetString("s", "k", "d"), "d");

    std::string withNul = std::string("[s]") + '\0' + "junk\nk=1" + '\0' + "x=2\nlong=" + std::string(100000, '7');
    EXPECT_EQ(file.Load(dir.Write("nul.ini", withNul)), 0);
    EXPECT_EQ(file.GetInt("s", "k", 0), 1);
    EXPECT_EQ(file.GetInt("s", "x", 0), 2);
    EXPECT_EQ(file.GetInt("s", "long", 0), INT_MAX);
    EXPECT_EQ(file.GetString("s", "long", "", 256).size(), 255u);

    EXPECT_EQ(file.Load(dir.Write("cr.ini", "[s]\rk=5\r\r")), 0);
    EXPECT_EQ(file.GetInt("s", "k", 0), 5);
    EXPECT_EQ(file.GetInt("s", "k", 0), 5); // repeatable: lookups do not disturb the copy
}
