#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using vanemark::ProfileFile;
using namespace std::string_literals;
using vanemark::test::TempDir;

// Each row writes one key into a file of the given bytes (none: no file)
// and expects the file's bytes afterwards; the value then reads back.
TEST(ProfileFileWrite, CreatesInsertsReplacesAndAppendsByteExactly)
{
    struct Case {
        std::optional<std::string> before;
        const char* lineEnd;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {std::nullopt, "\r\n", "settings", "server", "21100 a b", "[settings]\r\nserver=21100 a b\r\n"},
        // A new key becomes the first of its section; a found one is replaced in place.
        {"[settings]\r\nserver=x\r\n", "\r\n", "settings", "interval", "100",
         "[settings]\r\ninterval=100\r\nserver=x\r\n"},
        {"[settings]\r\ninterval=100\r\nserver=x\r\n", "\r\n", "settings", "interval", "-5",
         "[settings]\r\ninterval=-5\r\nserver=x\r\n"},
        {"[settings]\r\nk=1\r\n", "\r\n", "colors", "bk", "0", "[settings]\r\nk=1\r\n\r\n[colors]\r\nbk=0\r\n"},
        {"[s]\nk=1", "\r\n", "t", "bk", "0", "[s]\nk=1\r\n[t]\r\nbk=0\r\n"},
        // The line a read takes is the one replaced: blanks before "=" and a leading "=" are not part of the key.
        {"# top\n[s]\n  key = old # note\nother=1 # keep\n", "\n", "s", "key", "new",
         "# top\n[s]\n  key=new\nother=1 # keep\n"},
        {"[s]\n=key=new\nkey = old\n", "\n", "s", "key", "newer", "[s]\nkey=newer\nkey = old\n"},
        // A NUL ends a line for the writer as for the reader.
        {"[s]\nk\0z=1\0"s, "\n", "s", "k", "2", "[s]\nk=2\0z=1\0"s},
        // The old value and that line's comment go; indentation and other lines stay.
        {"[s]\r\n\tname=old # gone\r\nz=1", "\r\n", "s", "name", "v", "[s]\r\n\tname=v\r\nz=1"},
        {"[s]\r\n\tname=v\r\nz=1", "\r\n", "s", "z", "2", "[s]\r\n\tname=v\r\nz=2"},
        {"[s]", "\r\n", "s", "k", "1", "[s]\r\nk=1\r\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = c.before ? dir.Write("a.ini", *c.before) : dir.File("a.ini");
        ProfileFile file(path, '#', c.lineEnd);
        SCOPED_TRACE(c.before.value_or("(no file)"));
        ASSERT_EQ(file.WriteString(c.section, c.key, c.value), 0);
        EXPECT_EQ(TempDir::Read(path), c.after);
        EXPECT_EQ(file.GetString(c.section, c.key, ""), c.value); // reloaded
    }
}

TEST(ProfileFileWrite, DeleteKeyRemovesTheLineAndItsEndingOnly)
{
    TempDir dir;
    const std::string path = dir.Write("d.ini", "[s]\r\na=1\r\n  b=2 # x\r\nc=3\r\n[t]\r\nb=9\r\n");
    ProfileFile file(path, '#');
    ASSERT_EQ(file.DeleteKey("s", "b"), 0);
    EXPECT_EQ(TempDir::Read(path), "[s]\r\na=1\r\n  c=3\r\n[t]\r\nb=9\r\n");
    EXPECT_EQ(file.DeleteKey("s", "b"), -1);
    EXPECT_EQ(file.DeleteKey("u", "a"), -1);
    EXPECT_EQ(file.GetInt("t", "b", 0), 9);
    ASSERT_EQ(file.DeleteKey("t", "b"), 0);
    EXPECT_EQ(TempDir::Read(path), "[s]\r\na=1\r\n  c=3\r\n[t]\r\n");

    ProfileFile nul(dir.Write("n.ini", "[s]\0a=1\0b=2"s), '#'); // a NUL is a line ending of its own
    ASSERT_EQ(nul.DeleteKey("s", "a"), 0);
    EXPECT_EQ(TempDir::Read(nul.Path()), "[s]\0b=2"s);
}
