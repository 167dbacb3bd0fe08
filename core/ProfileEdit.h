#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vanemark {

class ProfileFile;

// Several key writes gathered into one rewrite of the file: the same bytes a
// series of ProfileFile::WriteString calls would leave, but one temporary
// file, one fsync and one rename, so a failure leaves none of them applied.
class ProfileEdit {
public:
    explicit ProfileEdit(ProfileFile& file);

    ProfileEdit& Set(std::string_view section, std::string_view key, std::string_view value);
    ProfileEdit& SetInt(std::string_view section, std::string_view key, std::int32_t value);
    bool Empty() const { return edits.empty(); }

    // 0 when written (or nothing to write); -1 otherwise, with the file and
    // its in-memory copy unchanged and the reason in Error().
    int Commit();
    const std::string& Error() const { return error; }

private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    ProfileFile& file;
    std::vector<Entry> edits;
    std::string error;
};

} // namespace vanemark
