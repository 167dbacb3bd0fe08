#include "core/AtomicFile.h"

#include "core/PlatformFile.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vanemark {
namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::error_code ec;
    const fs::path native = PathFromUtf8(path);
    if (path.empty() || !fs::is_regular_file(native, ec)) {
        return std::nullopt;
    }
    UniqueFile in = OpenForReading(native, ec);
    if (!in) {
        return std::nullopt;
    }
    const auto size = fs::file_size(native, ec);
    if (ec) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

fs::path TemporaryName(const fs::path& target)
{
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path name = target;
    name += ".tmp" + std::to_string(stamp % 1000000007) + "-" + std::to_string(++serial);
    return name;
}

int Fail(std::string* reason, std::error_code error)
{
    if (reason) {
        *reason = error.message();
    }
    return -1;
}

// Writes and syncs; the first error met, or none.
std::error_code WriteAll(std::FILE* out, std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
        return {errno, std::generic_category()};
    }
    // The replacement must not reach the disk before the data does.
    return SyncToDisk(out);
}

} // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason)
{
    std::error_code ec;
    fs::path target = PathFromUtf8(path);
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

    const fs::path temporary = TemporaryName(target);
    {
        UniqueFile out = CreateNewFile(temporary, ec);
        if (!out) {
            return Fail(reason, ec);
        }
        std::error_code written = WriteAll(out.get(), bytes);
        if (std::fclose(out.release()) != 0 && !written) {
            written = {errno, std::generic_category()};
        }
        if (written) {
            fs::remove(temporary, ec);
            return Fail(reason, written);
        }
    }
    if (const std::error_code replaced = ReplaceWith(temporary, target)) {
        fs::remove(temporary, ec);
        return Fail(reason, replaced);
    }
    return 0;
}

} // namespace vanemark
