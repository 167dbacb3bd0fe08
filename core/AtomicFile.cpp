#include "core/AtomicFile.h"

#include <atomic>
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
    if (path.empty() || !fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return std::nullopt;
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

} // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view bytes)
{
    std::error_code ec;
    fs::path target(path);
    // Write through a symbolic link rather than replacing the link itself.
    if (fs::is_symlink(target, ec)) {
        auto resolved = fs::canonical(target, ec);
        if (ec)
            return -1;
        target = resolved;
    }
    if (fs::is_directory(target, ec))
        return -1;

    const std::string temporary = TemporaryName(target);
    {
        // "x": never clobber a file that happens to have the same name.
        std::unique_ptr<std::FILE, FileCloser> out(std::fopen(temporary.c_str(), "wbx"));
        if (!out)
            return -1;
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
        ok = ok && std::fflush(out.get()) == 0;
#if defined(__unix__) || defined(__APPLE__)
        // The rename must not reach the disk before the data does.
        ok = ok && ::fsync(::fileno(out.get())) == 0;
#endif
        ok = std::fclose(out.release()) == 0 && ok;
        if (!ok) {
            fs::remove(temporary, ec);
            return -1;
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
        return -1;
    }
    return 0;
}

} // namespace vanemark
