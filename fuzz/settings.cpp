// The settings file. Input: two bytes choosing two keys, a value up to the
// first NUL, then the file's bytes (no NUL: no file). Start-up reads it; each
// key written then reads back as written, after a reload, while every other
// key keeps its value; one edit of both keys leaves the same bytes. The value
// read as a joystick binding writes back as the same binding.
#include "FuzzCheck.h"
#include "config/CommandBindings.h"
#include "config/HandBindings.h"
#include "config/PanelColours.h"
#include "config/ServerSetting.h"
#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "config/WindowPosition.h"
#include "core/NumberText.h"
#include "core/ProfileEdit.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <vector>

using namespace vanemark;
using namespace vanemark::settings;

namespace {

// From kFirstInt on, the keys hold integers.
constexpr std::string_view kKeys[] = {kLayoutFileKey, kKeyFileKey,    kServerKey,     kPositionKey,   kFontNameKey,
                                      kDemoKey,       kIntervalKey,   kFontSizeKey,   kShowTitleKey,  kColourKeys[0],
                                      kColourKeys[1], kColourKeys[2], kColourKeys[3], kColourKeys[4], kColourKeys[5]};
constexpr std::size_t kFirstInt = 5;

// Every key's value as read; a lone NUL (which no value holds) when absent.
std::vector<std::string> Snapshot(ProfileFile& file)
{
    std::vector<std::string> values;
    for (const std::string_view key : kKeys) {
        bool absent = false;
        values.push_back(file.GetString(kSection, key, "", kTextBuffer, &absent));
        values.back().resize(absent ? 1 : values.back().size(), '\0');
    }
    return values;
}

// A value the format can hold: one line, no comment, no leading blank or "="
// and no trailing blank (the reader takes those for separators).
std::string Storable(std::string text, std::size_t key)
{
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == kCommentChar; });
    text.resize(std::min<std::size_t>(text.size(), 200));
    text.erase(0, text.find_first_not_of(" ="));
    text.erase(text.find_last_not_of(" \t\v\f") + 1);
    return key >= kFirstInt ? FormatInt(ParseInt(text)) : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    static const test::TempDir dir;
    const std::string input(reinterpret_cast<const char*>(data), size), raw = input.substr(2, input.find('\0', 2) - 2);
    const std::size_t k[2] = {data[0] % std::size(kKeys), data[1] % std::size(kKeys)};
    const std::string v[2] = {Storable(raw, k[0]), Storable({raw.rbegin(), raw.rend()}, k[1])};
    for (const char* name : {"single.ini", "batch.ini"}) {
        std::filesystem::remove(dir.File(name));
        if (2 + raw.size() < size) {
            dir.Write(name, input.substr(2 + raw.size() + 1));
        }
    }
    ProfileFile file = OpenSettings(dir.File("single.ini")), batch = OpenSettings(dir.File("batch.ini"));
    file.GetString(kSection, kLayoutFileKey, kLayoutFileDefault, kPreWindowTextBuffer);
    ReadColours(file);
    ParseServer(file.GetString(kSection, kServerKey, kServerDefault, kServerTextBuffer));
    ParsePosition(file.GetString(kSection, kPositionKey, kPositionDefault, kTextBuffer));
    ReadHandBindings(file);
    ReadCommandBindings(file);
    // A device binding that reads as one writes back as the same one.
    if (const ButtonBinding button = ParseButtonBinding(raw); button.Bound()) {
        FUZZ_CHECK(ParseButtonBinding(ButtonBindingText(button)) == button);
    }
    if (const AxisBinding axis = ParseAxisBinding(raw); axis.Bound()) {
        FUZZ_CHECK(ParseAxisBinding(AxisBindingText(axis)) == axis);
    }
    auto expected = Snapshot(file);
    for (int i = 0; i < 2; ++i) {
        const std::string_view key = kKeys[k[i]];
        FUZZ_CHECK((k[i] >= kFirstInt ? file.WriteInt(kSection, key, ParseInt(v[i]))
                                      : file.WriteString(kSection, key, v[i])) == 0);
        expected[k[i]] = v[i];
        FUZZ_CHECK(Snapshot(file) == expected);
    }
    ProfileEdit edit(batch);
    FUZZ_CHECK(edit.Set(kSection, kKeys[k[0]], v[0]).Set(kSection, kKeys[k[1]], v[1]).Commit() == 0 && edit.Empty());
    FUZZ_CHECK(Snapshot(batch) == expected);
    FUZZ_CHECK(test::TempDir::Read(dir.File("batch.ini")) == test::TempDir::Read(dir.File("single.ini")));
    return 0;
}
