#include "core/PlatformFile.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <tuple>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

using vanemark::ProfileEdit;
using vanemark::ProfileFile;
using namespace std::string_literals;
using vanemark::test::TempDir;

// Each row writes one key (or, without a value, deletes it) in a file of the
// given bytes (none: no file) and expects the file's bytes afterwards. A
// delete that leaves the bytes as they were must report the key absent.
TEST(ProfileFileWrite, CreatesInsertsReplacesAppendsAndDeletesByteExactly)
{
    struct Case {
        std::optional<std::string> before;
        const char *section, *key, *value;
        std::string after;
        const char* lineEnd = "\r\n";
    };
    const Case cases[] = {
        {std::nullopt, "settings", "server", "21100 a b", "[settings]\r\nserver=21100 a b\r\n"},
        // A new key becomes the first of its section; a found one is replaced in place.
        {"[settings]\r\nserver=x\r\n", "settings", "interval", "100", "[settings]\r\ninterval=100\r\nserver=x\r\n"},
        {"[settings]\r\nk=1\r\n", "colors", "bk", "0", "[settings]\r\nk=1\r\n\r\n[colors]\r\nbk=0\r\n"},
        {"[s]\nk=1", "t", "bk", "0", "[s]\nk=1\r\n[t]\r\nbk=0\r\n"},
        {"[s]", "s", "k", "1", "[s]\r\nk=1\r\n"},
        // The line a read takes is the one replaced: blanks before "=" and a leading "=" are not part of the key.
        {"# top\n[s]\n  key = old # note\nother=1 # keep\n", "s", "key", "new",
         "# top\n[s]\n  key=new\nother=1 # keep\n", "\n"},
        {"[s]\n=key=new\nkey = old\n", "s", "key", "newer", "[s]\nkey=newer\nkey = old\n", "\n"},
        // A NUL ends a line for the writer as for the reader.
        {"[s]\nk\0z=1\0"s, "s", "k", "2", "[s]\nk=2\0z=1\0"s, "\n"},
        // The old value and that line's comment go; indentation and other lines stay.
        {"[s]\r\n\tname=old # gone\r\nz=1", "s", "name", "v", "[s]\r\n\tname=v\r\nz=1"},
        {"[s]\r\n\tname=v\r\nz=1", "s", "z", "2", "[s]\r\n\tname=v\r\nz=2"},
        // A delete takes the line from its key through its ending, in the key's own section only.
        {"[s]\r\na=1\r\n  b=2 # x\r\nc=3\r\n[t]\r\nb=9\r\n", "s", "b", nullptr,
         "[s]\r\na=1\r\n  c=3\r\n[t]\r\nb=9\r\n"},
        {"[s]\r\na=1\r\n[t]\r\nb=9\r\n", "s", "b", nullptr, "[s]\r\na=1\r\n[t]\r\nb=9\r\n"},
        {"[s]\r\na=1\r\n", "u", "a", nullptr, "[s]\r\na=1\r\n"},
        {"[s]\0a=1\0b=2"s, "s", "a", nullptr, "[s]\0b=2"s},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = c.before ? dir.Write("a.ini", *c.before) : dir.File("a.ini");
        ProfileFile file(path, '#', c.lineEnd);
        SCOPED_TRACE(c.before.value_or("(no file)") + c.key);
        EXPECT_EQ(c.value ? file.WriteString(c.section, c.key, c.value) : file.DeleteKey(c.section, c.key),
                  c.before == c.after ? -1 : 0);
        EXPECT_EQ(TempDir::Read(path), c.after);
        EXPECT_EQ(file.GetString(c.section, c.key, "-"), c.value ? c.value : "-"); // memory follows the disk
    }
}

// A failed commit returns -1 with the system's reason and leaves the file,
// its copy in memory and the folder as they were.
TEST(ProfileEdit, FailedCommitsLeaveEverythingUntouched)
{
    TempDir dir;
    const std::string original = "[s]\r\nk=1\r\n", full = dir.Write("full.ini", original);
    std::filesystem::create_directory(dir.path / "folder.ini");
    const std::tuple<std::string, std::error_code> cases[] = {
#if defined(__unix__)
        {full, std::make_error_code(std::errc::file_too_large)},
#endif
#if defined(_WIN32)
        {dir.File("no/such/folder/x.ini"), {3 /* ERROR_PATH_NOT_FOUND */, std::system_category()}},
#else
        {dir.File("no/such/folder/x.ini"), std::make_error_code(std::errc::no_such_file_or_directory)},
#endif
        {dir.File("folder.ini"), std::make_error_code(std::errc::is_a_directory)},
    };
    for (const auto& [path, code] : cases) {
        SCOPED_TRACE(code.message());
        ProfileFile file(path, '#');
        file.FindSection("s");
        const std::string text(file.Text());
        const std::size_t cursor = file.Cursor();
        ProfileEdit edit(file);
        edit.SetInt("s", "k", 2).Set("s", "long", std::string(64, 'x'));
#if defined(__unix__)
        // A file size limit fails the write part-way, as a full disk would.
        rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limit{path == full ? 8 : saved.rlim_cur, saved.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const int result = edit.Commit();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
#else
        const int result = edit.Commit();
#endif
        EXPECT_EQ(std::tuple(result, edit.Error(), std::string(file.Text()), file.Cursor()),
                  std::tuple(-1, code.message(), text, cursor));
        EXPECT_TRUE(path != full || TempDir::Read(path) == original);
    }
    // The full file and the folder in the way, and no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 2);
}

// Names outside ASCII (and outside Windows' ANSI code page) and a target that
// another handle holds open for a moment, as scanners and indexers do on
// Windows, are replaced all the same; a temporary name is never clobbered.
TEST(ProfileFileWrite, ReplacesUnderAnyNamePastABrieflyHeldHandle)
{
    TempDir dir;
    for (const char* name : {"plain.ini", "Vanemark-\u00fc\u0416\u98db.ini"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.Write(name, "[s]\r\nk=1\r\n");
        std::optional<std::ifstream> holder(std::in_place, TempDir::Native(path), std::ios::binary);
        std::thread release([&holder] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            holder.reset();
        });
        ProfileFile file(path, '#');
        EXPECT_EQ(file.WriteInt("s", "k", 2), 0);
        release.join();
        EXPECT_EQ(TempDir::Read(path), "[s]\r\nk=2\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 2);
    std::error_code error;
    const auto taken = vanemark::PathFromUtf8(dir.File("plain.ini"));
    EXPECT_FALSE(vanemark::CreateNewFile(taken, error));
    EXPECT_EQ(error, std::errc::file_exists);
    EXPECT_EQ(TempDir::Read(taken.string()), "[s]\r\nk=2\r\n");
#if defined(__unix__)
    // The file keeps its mode (one no usual umask gives), and a link stays a link, written through.
    using std::filesystem::perms;
    std::filesystem::permissions(taken, perms::owner_read | perms::owner_write | perms::others_read);
    std::filesystem::create_symlink(taken, dir.path / "link.ini");
    EXPECT_EQ(ProfileFile(dir.File("link.ini"), '#').WriteInt("s", "k", 3), 0);
    EXPECT_EQ(std::tuple(std::filesystem::is_symlink(dir.path / "link.ini"), TempDir::Read(taken.string()),
                         std::filesystem::status(taken).permissions()),
              std::tuple(true, "[s]\r\nk=3\r\n"s, perms::owner_read | perms::owner_write | perms::others_read));
#endif
}
