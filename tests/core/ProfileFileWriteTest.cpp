#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using vanemark::ProfileFile;
using vanemark::test::TempDir;

namespace {

std::size_t FilesIn(const std::filesystem::path& dir)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST(ProfileFileWrite, CreatesInsertsReplacesAndAppendsByteExactly)
{
    TempDir dir;
    const std::string path = dir.File("Vanemark.ini");
    ProfileFile file;
    file.Open(path, '#');
    ASSERT_EQ(file.WriteString("settings", "server", "21100 127.0.0.1 127.0.0.1"), 0);
    EXPECT_EQ(TempDir::Read(path), "[settings]\r\nserver=21100 127.0.0.1 127.0.0.1\r\n");
    EXPECT_EQ(file.GetString("settings", "server", ""), "21100 127.0.0.1 127.0.0.1"); // reloaded

    ASSERT_EQ(file.WriteInt("settings", "interval", 100), 0);
    EXPECT_EQ(TempDir::Read(path), "[settings]\r\ninterval=100\r\nserver=21100 127.0.0.1 127.0.0.1\r\n");
    ASSERT_EQ(file.WriteInt("settings", "interval", -5), 0);
    EXPECT_EQ(TempDir::Read(path), "[settings]\r\ninterval=-5\r\nserver=21100 127.0.0.1 127.0.0.1\r\n");

    ASSERT_EQ(file.WriteString("colors", "bk", "0"), 0);
    EXPECT_EQ(TempDir::Read(path),
              "[settings]\r\ninterval=-5\r\nserver=21100 127.0.0.1 127.0.0.1\r\n\r\n[colors]\r\nbk=0\r\n");
    EXPECT_EQ(file.GetInt("colors", "bk", 9), 0);
}

TEST(ProfileFileWrite, ReplacementKeepsIndentationAndDropsOnlyThatLinesComment)
{
    TempDir dir;
    const std::string path = dir.Write("a.ini", "# top\n[s]\n  key = old # note\nkey =shadow\nother=1 # keep\n");
    ProfileFile file(path, '#', "\n");
    // "key " is not "key": a new first line, placed where the old first key began.
    ASSERT_EQ(file.WriteString("s", "key", "new"), 0);
    EXPECT_EQ(TempDir::Read(path), "# top\n[s]\n  key=new\nkey = old # note\nkey =shadow\nother=1 # keep\n");
    EXPECT_EQ(file.GetString("s", "key", ""), "new");
    ASSERT_EQ(file.WriteString("s", "key", "newer"), 0);
    EXPECT_EQ(TempDir::Read(path), "# top\n[s]\n  key=newer\nkey = old # note\nkey =shadow\nother=1 # keep\n");

    const std::string second = dir.Write("b.ini", "[s]\r\n\tname=old ; gone\r\nz=1");
    ProfileFile b(second, '#');
    ASSERT_EQ(b.WriteString("s", "name", "v"), 0);
    EXPECT_EQ(TempDir::Read(second), "[s]\r\n\tname=v\r\nz=1");
    ASSERT_EQ(b.WriteString("s", "z", "2"), 0); // no line ending after the last value
    EXPECT_EQ(TempDir::Read(second), "[s]\r\n\tname=v\r\nz=2");

    const std::string bare = dir.Write("c.ini", "[s]");
    ProfileFile c(bare, '#');
    ASSERT_EQ(c.WriteString("s", "k", "1"), 0);
    EXPECT_EQ(TempDir::Read(bare), "[s]\r\nk=1\r\n");
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
}

// A failed rewrite returns -1 and leaves the file, the copy in memory and the folder as they were.
TEST(ProfileFileWrite, FailedRewritesLeaveEverythingUntouched)
{
    TempDir dir;
    const std::string original = "[s]\r\nk=1\r\n";
    const std::string path = dir.Write("settings.ini", original);
    ProfileFile file(path, '#');
    auto untouched = [&](const char* why) {
        EXPECT_EQ(TempDir::Read(path), original) << why;
        EXPECT_EQ(file.GetInt("s", "k", 0), 1) << why;
        EXPECT_EQ(FilesIn(dir.path), 1u) << why; // no temporary file left behind
    };

#if defined(__unix__)
    // A file size limit fails the write part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const int result = file.WriteString("s", "k", std::string(64, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, -1);
    untouched("full disk");

    // A folder where no temporary file can be created (root ignores the permissions).
    if (::geteuid() != 0) {
        std::filesystem::permissions(dir.path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(file.WriteString("s", "k", "2"), -1);
        EXPECT_EQ(file.DeleteKey("s", "k"), -1);
        std::filesystem::permissions(dir.path, std::filesystem::perms::owner_all);
        untouched("read-only folder");
    }
#endif

    ProfileFile missing;
    missing.Open(dir.File("no/such/folder/x.ini"), '#');
    EXPECT_EQ(missing.WriteString("s", "k", "v"), -1);
    EXPECT_FALSE(missing.IsLoaded());

    std::filesystem::create_directory(dir.path / "sub.ini");
    ProfileFile folder;
    folder.Open(dir.File("sub.ini"), '#');
    EXPECT_EQ(folder.WriteString("s", "k", "v"), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path / "sub.ini"));
    EXPECT_EQ(FilesIn(dir.path), 2u); // the file and the folder in its way, nothing else
}
