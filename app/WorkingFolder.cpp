#include "app/WorkingFolder.h"

#include <system_error>

namespace vanemark {

namespace fs = std::filesystem;

namespace {

bool HoldsShippedFiles(const fs::path& folder)
{
    std::error_code ec;
    for (const std::string_view name : kShippedFiles) {
        if (!fs::is_regular_file(folder / name, ec)) {
            return false;
        }
    }
    return true;
}

// Built by append: GCC 12 at -O3 misreads a chain of string additions as an
// overlapping copy.
std::string Message(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

// Copies under a temporary name first and renames only then, so a copy cut
// short (a full disk, a crash) never leaves a half file that later runs would
// keep as the user's own.
std::error_code CopyIfMissing(const fs::path& from, const fs::path& to)
{
    fs::path partial = to;
    partial += ".seeding";
    std::error_code ec;
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec && !fs::exists(to)) {
        fs::rename(partial, to, ec);
    }
    std::error_code ignored;
    fs::remove(partial, ignored);
    return ec;
}

} // namespace

fs::path FindShippedFolder(const fs::path& programFolder, const fs::path& buildTreeFallback)
{
    for (const fs::path& candidate : {programFolder / ".." / "share" / "vanemark", programFolder, buildTreeFallback}) {
        if (!candidate.empty() && HoldsShippedFiles(candidate)) {
            return candidate.lexically_normal();
        }
    }
    return {};
}

fs::path PortableFolder(const fs::path& programFolder)
{
#if defined(_WIN32)
    std::error_code ec;
    if (!programFolder.empty() && fs::exists(programFolder / kPortableMarker, ec)) {
        return programFolder;
    }
#else
    // Linux installs put programs in shared folders such as /usr/bin, where
    // a stray file of that name must not decide where settings live.
    (void)programFolder;
#endif
    return {};
}

SeedResult SeedFolder(const fs::path& folder, const fs::path& shipped)
{
    SeedResult result;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        const std::string why = ec ? ec.message() : std::string("it is not a folder");
        result.error = Message({"cannot use the folder ", folder.string(), ": ", why});
        return result;
    }
    for (const std::string_view name : kShippedFiles) {
        const fs::path target = folder / name;
        if (fs::exists(fs::symlink_status(target, ec))) {
            continue;
        }
        if (shipped.empty()) {
            result.warnings.push_back(
                Message({"no shipped ", name, " was found; ", folder.string(), " starts without it"}));
        } else if (const std::error_code copyError = CopyIfMissing(shipped / name, target)) {
            result.warnings.push_back(Message(
                {"cannot copy ", (shipped / name).string(), " to ", target.string(), ": ", copyError.message()}));
        } else {
            result.copied.emplace_back(name);
        }
    }
    return result;
}

} // namespace vanemark
