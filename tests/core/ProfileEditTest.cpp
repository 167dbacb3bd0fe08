#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

using vanemark::ProfileEdit;
using vanemark::ProfileFile;
using vanemark::test::TempDir;

// A failed commit returns -1 with the system's reason and leaves the file,
// its copy in memory and the folder as they were.
TEST(ProfileEdit, FailedCommitsLeaveEverythingUntouched)
{
    TempDir dir;
    const std::string original = "[s]\r\nk=1\r\n";
    std::filesystem::create_directory(dir.path / "folder.ini");
    struct Case {
        std::string path;
        bool fullDisk;
        const char* reason;
    };
    const Case cases[] = {
        {dir.Write("full.ini", original), true, "File too large"},
        {dir.File("no/such/folder/x.ini"), false, "No such file or directory"},
        {dir.File("folder.ini"), false, "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        ProfileFile file(c.path, '#');
        file.FindSection("s");
        const std::string text(file.Text());
        const std::size_t cursor = file.Cursor();
        ProfileEdit edit(file);
        edit.SetInt("s", "k", 2).Set("s", "long", std::string(64, 'x'));
#if defined(__unix__)
        // A file size limit fails the write part-way, as a full disk would.
        rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved;
        tiny.rlim_cur = c.fullDisk ? 8 : saved.rlim_cur;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        const int result = edit.Commit();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
#else
        if (c.fullDisk) {
            continue;
        }
        const int result = edit.Commit();
#endif
        EXPECT_EQ(result, -1);
        EXPECT_EQ(edit.Error(), c.reason);
        EXPECT_EQ(file.Text(), text);
        EXPECT_EQ(file.Cursor(), cursor);
        EXPECT_EQ(file.GetInt("s", "k", 0), c.fullDisk ? 1 : 0);
        if (c.fullDisk) {
            EXPECT_EQ(TempDir::Read(c.path), original);
        }
    }
    // The full file and the folder in the way, and no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 2);
}
