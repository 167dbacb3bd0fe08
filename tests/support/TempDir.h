#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace vanemark::test {

// A fresh folder under the system's temporary directory, removed with the object.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path = std::filesystem::temp_directory_path() /
               ("vanemark-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(std::string_view name) const
    {
        const std::u8string text = (path / Native(name)).u8string();
        return {text.begin(), text.end()};
    }

    std::string Write(std::string_view name, std::string_view bytes) const
    {
        std::ofstream out(path / Native(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return File(name);
    }

    static std::string Read(const std::string& file)
    {
        std::ifstream in(Native(file), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // File names are UTF-8, as the program's own paths are on every system.
    static std::filesystem::path Native(std::string_view utf8) { return std::u8string(utf8.begin(), utf8.end()); }

    std::filesystem::path path;

private:
    static inline std::atomic<int> counter{0};
};

} // namespace vanemark::test
