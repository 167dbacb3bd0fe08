#include "core/PlatformFile.h"

#include <cerrno>
#include <chrono>
#include <string_view>
#include <thread>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vanemark {
namespace fs = std::filesystem;

namespace {

std::error_code Errno()
{
    return {errno, std::generic_category()};
}

} // namespace

std::string Utf8FromPath(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

#if defined(_WIN32)

namespace {

std::error_code LastWindowsError()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

// A C stream over a handle the caller opened with the sharing it needs, which
// _wfopen cannot express.
UniqueFile StreamOver(HANDLE handle, int flags, const char* mode, std::error_code& error)
{
    if (handle == INVALID_HANDLE_VALUE) {
        error = LastWindowsError();
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (fd < 0) {
        error = Errno();
        ::CloseHandle(handle);
        return nullptr;
    }
    UniqueFile file(::_fdopen(fd, mode));
    if (!file) {
        error = Errno();
        ::_close(fd);
    }
    return file;
}

bool IsTransient(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

} // namespace

fs::path PathFromUtf8(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

UniqueFile OpenForReading(const fs::path& path, std::error_code& error)
{
    const HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return StreamOver(handle, _O_RDONLY | _O_BINARY, "rb", error);
}

UniqueFile CreateNewFile(const fs::path& path, std::error_code& error)
{
    const HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return StreamOver(handle, _O_WRONLY | _O_BINARY, "wb", error);
}

std::error_code SyncToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) {
        return Errno();
    }
    if (!::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file))))) {
        return LastWindowsError();
    }
    return {};
}

std::error_code ReplaceWith(const fs::path& replacement, const fs::path& target)
{
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + std::chrono::seconds(1);
    for (;;) {
        // Not ReplaceFileW: where it fails on a held target it may leave its
        // own backup files behind in the folder, once per attempt.
        if (::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
        const DWORD code = ::GetLastError();
        if (!IsTransient(code) || Clock::now() >= giveUp) {
            return {static_cast<int>(code), std::system_category()};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

#else

fs::path PathFromUtf8(const std::string& utf8)
{
    return fs::path(utf8);
}

UniqueFile OpenForReading(const fs::path& path, std::error_code& error)
{
    UniqueFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = Errno();
    }
    return file;
}

UniqueFile CreateNewFile(const fs::path& path, std::error_code& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = Errno();
        return nullptr;
    }
    UniqueFile file(::fdopen(fd, "wb"));
    if (!file) {
        error = Errno();
        ::close(fd);
    }
    return file;
}

std::error_code SyncToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) {
        return Errno();
    }
    return {};
}

std::error_code ReplaceWith(const fs::path& replacement, const fs::path& target)
{
    std::error_code ec;
    // rename(2) does not carry permissions over; a settings file the user
    // made private stays private.
    const auto old = fs::status(target, ec);
    if (!ec && fs::exists(old)) {
        fs::permissions(replacement, old.permissions(), ec);
    }
    ec.clear();
    fs::rename(replacement, target, ec);
    return ec;
}

#endif

} // namespace vanemark
