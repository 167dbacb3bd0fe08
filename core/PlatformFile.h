#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace vanemark {

// The few file operations whose meaning differs between POSIX and Windows,
// so that nothing else in the program needs to know which one it runs on.

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Paths are UTF-8 text everywhere in the program (Qt hands them over so).
// Windows would otherwise read a narrow path in the ANSI code page, and a
// folder name outside that code page could not be reached at all.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Opened for reading without keeping anyone else from replacing or deleting
// the file meanwhile; null with the reason in `error`.
UniqueFile OpenForReading(const std::filesystem::path& path, std::error_code& error);

// Created for writing; fails when the name is taken rather than clobbering it.
UniqueFile CreateNewFile(const std::filesystem::path& path, std::error_code& error);

// Flushes the stream and waits until the system has the bytes on disk.
std::error_code SyncToDisk(std::FILE* file);

// Puts `replacement` in the place of `target` in one step: readers see the
// old file or the new one, never a mix or no file. On POSIX an existing
// target's permission bits carry over; on Windows the new file takes the
// folder's, as any new file there does. Windows cannot replace a file another
// program holds open; virus scanners and indexers hold one only briefly, so
// the replacement is retried for about a second before the sharing
// violation is reported.
std::error_code ReplaceWith(const std::filesystem::path& replacement, const std::filesystem::path& target);

} // namespace vanemark
