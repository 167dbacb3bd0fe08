#include "core/ProfileEdit.h"

#include "core/AtomicFile.h"
#include "core/NumberText.h"
#include "core/ProfileFile.h"

#include <optional>
#include <system_error>

namespace vanemark {

ProfileEdit::ProfileEdit(ProfileFile& profile) : file(profile) {}

ProfileEdit& ProfileEdit::Set(std::string_view section, std::string_view key, std::string_view value)
{
    edits.push_back({std::string(section), std::string(key), std::string(value)});
    return *this;
}

ProfileEdit& ProfileEdit::SetInt(std::string_view section, std::string_view key, std::int32_t value)
{
    return Set(section, key, FormatInt(value));
}

int ProfileEdit::Commit()
{
    error.clear();
    if (edits.empty()) {
        return 0;
    }
    if (file.Path().empty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory).message();
        return -1;
    }
    // The first key is located in the file's own copy, as a lone WriteString
    // would do it; every later one in what the previous write left. The
    // scratch copy keeps the file's cursor untouched until the write is done.
    ProfileFile scratch = file;
    std::optional<std::string> bytes = ReadWholeFile(file.Path());
    for (const Entry& entry : edits) {
        bytes = scratch.Rewritten(bytes, entry.section, entry.key, entry.value);
        scratch.Adopt(*bytes);
    }
    if (ReplaceFileAtomically(file.Path(), *bytes, &error) != 0) {
        return -1;
    }
    edits.clear();
    return file.Reload();
}

} // namespace vanemark
