#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanemark {

// A sectioned settings file, read whole into memory. Lookups run on the
// prepared copy; every write rewrites the file (through a temporary file and
// an atomic rename) and reloads it, so memory always matches the disk.
// Several keys written together go through one ProfileEdit.
class ProfileFile {
public:
    ProfileFile() = default;
    // Open(path, commentChar, lineEnding); ignore the result like most callers.
    explicit ProfileFile(const std::string& path, char commentChar = ';', std::string_view lineEnding = "\r\n");

    int Open(const std::string& path, char commentChar = ';', std::string_view lineEnding = "\r\n");
    int Load(const std::string& path, char commentChar = ';');
    int Reload();
    void Close();

    void Rewind();
    // The current line, then moves to the next non-empty one; nullopt at the end.
    std::optional<std::string_view> NextLine();
    // The current line cut to max characters; nullopt at the end.
    std::optional<std::string> ReadLine(std::size_t max);

    // Offset of the first header of the section, cursor on the line after it; -1 if absent.
    long FindSection(std::string_view section);

    std::int32_t GetInt(std::string_view section, std::string_view key, std::int32_t def, bool* usedDefault = nullptr);
    double GetFloat(std::string_view section, std::string_view key, double def, bool* usedDefault = nullptr);
    // Cut to max - 1 characters. Without a default, an absent key gives ""
    // and leaves *usedDefault as it was.
    std::string GetString(std::string_view section, std::string_view key, std::optional<std::string_view> def,
                          std::size_t max = 256, bool* usedDefault = nullptr);

    // One ProfileEdit of one key, committed at once.
    int WriteString(std::string_view section, std::string_view key, std::string_view value);
    int WriteInt(std::string_view section, std::string_view key, std::int32_t value);
    int DeleteKey(std::string_view section, std::string_view key);

    bool IsLoaded() const { return loaded; }
    const std::string& Path() const { return path; }
    std::size_t Size() const { return size; }
    std::size_t Cursor() const { return cursor; }
    // The prepared copy: the file's bytes with line ends, comments and the
    // white space around lines replaced by NULs, so offsets equal file offsets.
    std::string_view Text() const { return {text.data(), size}; }

private:
    friend class ProfileEdit;

    // Takes the bytes as the file's contents and prepares the lookup copy.
    void Adopt(std::string bytes);
    // The bytes one WriteString leaves: the key is located in this object's
    // prepared copy and spliced into `old`, the file's bytes as they are on
    // disk (nullopt when there is no file).
    std::string Rewritten(const std::optional<std::string>& old, std::string_view section, std::string_view key,
                          std::string_view value);
    std::size_t SkipEmpty(std::size_t pos) const;
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key);
    struct Target {
        bool sectionFound = false;
        bool keyFound = false;
        std::size_t position = 0;
        std::size_t headerEnd = 0; // offset just after the header line's text
    };
    Target Locate(std::string_view section, std::string_view key);

    std::string text;
    std::size_t size = 0;
    std::size_t cursor = 0;
    bool loaded = false;
    std::string path;
    char commentChar = ';';
    std::string lineEnding = "\r\n";
};

} // namespace vanemark
