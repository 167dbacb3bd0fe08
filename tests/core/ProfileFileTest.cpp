#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

using vanemark::ProfileFile;
using namespace std::string_literals;
using vanemark::test::TempDir;

// Each row looks a key up with the default "-" in a file of the given bytes
// and '#' comments; a null text expects the default.
TEST(ProfileFile, ReadingRules)
{
    const std::string typical = "[settings]\r\n  interval = 250 # fast\r\ngrid color=12648384\r\nname=  ==first\r\n"
                                "name=second\r\nbare key\r\n[Settings]\r\nother=1\r\n";
    const std::tuple<std::string, const char*, const char*, const char*> cases[] = {
        {typical, "settings", "interval", "250"},
        {typical, "settings", "grid color", "12648384"},
        {typical, "settings", "name", "first"}, // blanks and "=" lead the value; the first line wins
        {typical, "settings", "bare key", ""},
        {typical, "settings", "other", nullptr}, // sections differ in case
        {typical, "Settings", "other", "1"},
        {typical, "", "other", nullptr},
        {"[s]\0junk\nk=1\0x=2"s, "s", "x", "2"}, // a NUL ends a line
        {"[s]\rk=5\r\r", "s", "k", "5"},
        {"# one\r\n\r\n   # two\r\n", "s", "k", nullptr},
        {"", "s", "k", nullptr},
    };
    TempDir dir;
    for (const auto& [bytes, section, key, text] : cases) {
        SCOPED_TRACE(bytes + section + "/" + key);
        ProfileFile file(dir.Write("a.ini", bytes), '#');
        bool usedDefault = text != nullptr;
        EXPECT_EQ(file.GetString(section, key, "-", 256, &usedDefault), text ? text : "-");
        EXPECT_EQ(usedDefault, !text);
    }
    // Where ';' starts comments, '#' is text.
    EXPECT_EQ(ProfileFile(dir.Write("a.ini", typical)).GetString("settings", "interval", ""), "250 # fast");
}

// Numbers read as far as they go, held to the type; texts are cut to the buffer.
TEST(ProfileFile, NumbersBuffersMissingFilesAndSequentialReading)
{
    TempDir dir;
    ProfileFile file(
        dir.Write("n.ini", "[s]\nword=abc\nbig=99999999999\nratio = -1.5e2x\nlong=" + std::string(1000, '7')));
    bool usedDefault = true;
    EXPECT_EQ(file.GetInt("s", "word", 5, &usedDefault), 0);
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(file.GetInt("s", "big", 0), INT_MAX);
    EXPECT_DOUBLE_EQ(file.GetFloat("s", "ratio", 0.0), -150.0);
    EXPECT_EQ(file.GetString("s", "word", "x", 3), "ab");
    EXPECT_EQ(file.GetString("s", "long", "").size(), 255u);
    // Without a default, a missing key leaves the flag alone.
    EXPECT_EQ(file.GetString("s", "missing", std::nullopt, 256, &usedDefault), "");
    EXPECT_FALSE(usedDefault);

    for (const std::string& path : {dir.File("missing.ini"), dir.path.string()}) {
        EXPECT_EQ(file.Load(path), -1);
        EXPECT_FALSE(file.IsLoaded());
        EXPECT_EQ(file.GetInt("s", "k", 42, &usedDefault), 42);
        EXPECT_TRUE(usedDefault);
        EXPECT_EQ(file.FindSection("s"), -1);
    }

    // The prepared copy keeps the file's offsets; lines are read one after another.
    const std::string bytes = "; head\n  [keys]  \r\n\r\n\tA\t=\t1 ; c\rlast";
    file.Load(dir.Write("k.ini", bytes));
    EXPECT_EQ(file.Size(), bytes.size());
    EXPECT_EQ(file.FindSection("keys"), static_cast<long>(bytes.find("[keys]")));
    const auto line = file.NextLine().value_or("");
    EXPECT_EQ(line, "A\t=\t1");
    EXPECT_EQ(line.data() - file.Text().data(), static_cast<long>(bytes.find("A\t=")));
    EXPECT_EQ(file.ReadLine(2), "la");
    EXPECT_EQ(file.NextLine(), std::nullopt);
    file.Rewind();
    EXPECT_EQ(file.NextLine(), "[keys]");
}
