#include "core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace vanemark {
namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const auto size = fs::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string TemporaryName(const fs::path& target)
{
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return target.string() + ".tmp" + std::to_string(stamp % 1000000007) + "-" + std::to_string(++serial);
}

int Fail(std::string* reason, std::error_code error)
{
    if (reason) {
        *reason = error.message();
    }
    return -1;
}

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

// Writes, flushes and syncs; the first error met, or none.
std::error_code WriteAll(std::FILE* out, std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        return LastError();
    }
#if defined(__unix__) || defined(__APPLE__)
    // The rename must not reach the disk before the data does.
    if (::fsync(::fileno(out)) != 0) {
        return LastError();
    }
#endif
    return {};
}

} // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason)
{
    std::error_code ec;
    fs::path target(path);
    if (path.empty()) {
        return Fail(reason, std::make_error_code(std::errc::no_such_file_or_directory));
    }
    // Write through a symbolic link rather than replacing the link itself.
    if (fs::is_symlink(target, ec)) {
        auto resolved = fs::canonical(target, ec);
        if (ec) {
            return Fail(reason, ec);
        }
        target = resolved;
    }
    if (fs::is_directory(target, ec)) {
        return Fail(reason, std::make_error_code(std::errc::is_a_directory));
    }

    const std::string temporary = TemporaryName(target);
    {
        // "x": never clobber a file that happens to have the same name.
        errno = 0;
        std::unique_ptr<std::FILE, FileCloser> out(std::fopen(temporary.c_str(), "wbx"));
        if (!out) {
            return Fail(reason, LastError());
        }
        std::error_code written = WriteAll(out.get(), bytes);
        if (std::fclose(out.release()) != 0 && !written) {
            written = LastError();
        }
        if (written) {
            fs::remove(temporary, ec);
            return Fail(reason, written);
        }
    }
    if (fs::exists(target, ec)) {
        // Keep the old file's permissions.
        fs::permissions(temporary, fs::status(target, ec).permissions(), ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Fail(reason, ec);
    }
    return 0;
}

} // namespace vanemark
