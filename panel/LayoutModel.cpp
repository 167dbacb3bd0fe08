#include "panel/LayoutModel.h"

#include "core/AtomicFile.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"
#include "panel/BarElement.h"
#include "panel/CPanelCtrl.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vanemark {

namespace {

constexpr char kCommentChar = '#';
constexpr std::string_view kLineEnd = "\r\n";
// Indexed by LayoutArea up to the bars.
constexpr auto kInstrumentSections = std::to_array<std::string_view>({"stick", "flaps", "speed"});
static_assert(kInstrumentSections.size() == static_cast<std::size_t>(LayoutArea::FirstBar));

int Fit(int value)
{
    return std::clamp(value, -kScreenReach, kScreenReach);
}

std::string PairText(int first, int second)
{
    std::string text = std::to_string(first);
    text.append(",").append(std::to_string(second));
    return text;
}

std::string_view DirectionWord(BarDirection direction)
{
    switch (direction) {
    case BarDirection::Down:
        return "down";
    case BarDirection::Left:
        return "left";
    case BarDirection::Right:
        return "right";
    case BarDirection::Up:
        break;
    }
    return "up";
}

// The keys of one area whose values differ between the two states.
void AddChanges(ProfileEdit& edit, LayoutArea area, const AreaState& was, const AreaState& now)
{
    const std::string_view section = AreaSection(area);
    const PixelRect& a = was.rect;
    const PixelRect& b = now.rect;
    if (area == LayoutArea::Flaps) {
        // Centre and radius: the dial is kept an even square, so both are exact.
        const int r = b.Width() / 2;
        if (a.left + a.Width() / 2 != b.left + r || a.top + a.Width() / 2 != b.top + r) {
            edit.Set(section, "start", PairText(b.left + r, b.top + r));
        }
        if (a.Width() != b.Width()) {
            edit.SetInt(section, "len", r);
        }
    } else {
        if (a.left != b.left || a.top != b.top) {
            edit.Set(section, "top", PairText(b.left, b.top));
        }
        if (area == LayoutArea::Stick && a.Width() != b.Width()) {
            edit.SetInt(section, "size", b.Width());
        } else if (area != LayoutArea::Stick && (a.Width() != b.Width() || a.Height() != b.Height())) {
            edit.Set(section, "size", PairText(b.Width(), b.Height()));
        }
    }
    if (was.shown != now.shown) {
        edit.SetInt(section, "show", now.shown ? 1 : 0);
    }
    if (IsBar(area) && was.direction != now.direction) {
        edit.Set(section, "dir", DirectionWord(now.direction));
    }
    if (IsBar(area) && was.style != now.style) {
        edit.Set(section, "type", now.style == BarStyle::Centred ? "dual" : "full");
    }
}

int Fail(std::string* error, const std::string& reason)
{
    if (error != nullptr) {
        *error = reason;
    }
    return -1;
}

} // namespace

std::string_view AreaSection(LayoutArea area)
{
    return IsBar(area) ? kBarSections[BarOf(area)] : kInstrumentSections[static_cast<std::size_t>(area)];
}

void LayoutModel::Load(const std::string& layoutFile)
{
    file = layoutFile;
    ProfileFile profile;
    profile.Open(layoutFile, kCommentChar, kLineEnd);
    const PanelLayout layout = ReadPanelLayout(profile);
    LayoutState state;
    state.window = ReadWindowSize(profile);
    const std::array<PixelRect, 3> instruments{layout.stickSquare, layout.flapsDial, layout.speedBox};
    const std::array<bool, 3> shown{layout.stickShown, layout.flapsShown, layout.speedShown};
    for (std::size_t i = 0; i < instruments.size(); ++i) {
        state.areas[i].rect = instruments[i];
        state.areas[i].shown = shown[i];
    }
    for (std::size_t i = 0; i < BarCount; ++i) {
        const auto bar = static_cast<BarIndex>(i);
        BarElement element;
        element.LoadSection(profile, kBarSections[i], 0, 0, 0, 0);
        const BarSettings& s = element.Settings();
        AreaState& area = state.areas[static_cast<std::size_t>(BarArea(bar))];
        area.rect = s.rect;
        area.shown = s.show != 0;
        area.direction = s.direction;
        area.style = s.style;
        // The reader has already fitted its pen to this size; a resize needs the file's own.
        area.pen = ReadScreenInt(profile, kBarSections[i], "pen", 1);
        area.pen = area.pen < 0 ? 1 : area.pen;
    }
    original = state;
    current = state;
}

void LayoutModel::SetRect(LayoutArea area, const PixelRect& rect)
{
    PixelRect& r = current.areas[static_cast<std::size_t>(area)].rect;
    const int left = Fit(rect.left);
    const int top = Fit(rect.top);
    switch (area) {
    case LayoutArea::Stick: {
        const int side = Fit(rect.Width());
        r = {left, top, left + side, top + side};
        break;
    }
    case LayoutArea::Flaps: {
        const int radius = Fit(rect.Width() / 2);
        const int cx = Fit(rect.left + rect.Width() / 2);
        const int cy = Fit(rect.top + rect.Width() / 2);
        r = {cx - radius, cy - radius, cx + radius, cy + radius};
        break;
    }
    default:
        r = {left, top, left + Fit(rect.Width()), top + Fit(rect.Height())};
        break;
    }
}

void LayoutModel::SetShown(LayoutArea area, bool shown)
{
    current.areas[static_cast<std::size_t>(area)].shown = shown;
}

void LayoutModel::SetDirection(LayoutArea area, BarDirection direction)
{
    if (IsBar(area)) {
        current.areas[static_cast<std::size_t>(area)].direction = direction;
    }
}

void LayoutModel::SetStyle(LayoutArea area, BarStyle style)
{
    if (IsBar(area)) {
        current.areas[static_cast<std::size_t>(area)].style = style;
    }
}

void LayoutModel::SetWindowSize(int cx, int cy)
{
    current.window.cx = Fit(cx);
    current.window.cy = Fit(cy);
}

int LayoutModel::Save(std::string* error)
{
    ProfileFile profile;
    profile.Open(file, kCommentChar, kLineEnd);
    ProfileEdit edit(profile);
    if (original.window.cx != current.window.cx) {
        edit.SetInt("window", "cx", current.window.cx);
    }
    if (original.window.cy != current.window.cy) {
        edit.SetInt("window", "cy", current.window.cy);
    }
    for (std::size_t i = 0; i < kLayoutAreaCount; ++i) {
        AddChanges(edit, static_cast<LayoutArea>(i), original.areas[i], current.areas[i]);
    }
    if (edit.Commit() != 0) {
        return Fail(error, edit.Error());
    }
    original = current;
    return 0;
}

int LayoutModel::SaveAs(const std::string& newFile, std::string* error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(newFile, ec)) {
        return Fail(error, std::make_error_code(std::errc::file_exists).message());
    }
    const fs::path folder = fs::path(newFile).parent_path();
    if (!folder.empty() && (fs::create_directories(folder, ec), ec)) {
        return Fail(error, ec.message());
    }
    // A layout in use that is missing stands for the defaults: an empty copy
    // plus the changed keys reads back the same.
    const std::string bytes = ReadWholeFile(file).value_or(std::string());
    std::string reason;
    if (ReplaceFileAtomically(newFile, bytes, &reason) != 0) {
        return Fail(error, reason);
    }
    const std::string previous = file;
    file = newFile;
    if (Save(error) != 0) {
        // The copy alone would pass for the pilot's saved layout.
        fs::remove(newFile, ec);
        file = previous;
        return -1;
    }
    return 0;
}

PanelLayout LayoutModel::PanelGeometry(const PanelLayout& base) const
{
    PanelLayout layout = base;
    layout.stickSquare = Area(LayoutArea::Stick).rect;
    layout.flapsDial = Area(LayoutArea::Flaps).rect;
    layout.speedBox = Area(LayoutArea::Speed).rect;
    layout.stickShown = Area(LayoutArea::Stick).shown;
    layout.flapsShown = Area(LayoutArea::Flaps).shown;
    layout.speedShown = Area(LayoutArea::Speed).shown;
    return layout;
}

BarSettings LayoutModel::Bar(BarIndex bar, const BarSettings& base) const
{
    const AreaState& area = Area(BarArea(bar));
    BarSettings s = base;
    s.rect = area.rect;
    s.show = area.shown ? 1 : 0;
    s.direction = area.direction;
    s.style = area.style;
    // The bar reader's rule: a frame wider than the bar is cut to half its smaller side.
    const int smaller = std::min(s.rect.Width(), s.rect.Height());
    s.penWidth = area.pen > smaller ? smaller / 2 : area.pen;
    return s;
}

} // namespace vanemark
