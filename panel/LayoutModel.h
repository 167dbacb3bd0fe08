#pragma once

#include "panel/BarSettings.h"
#include "panel/PanelLayout.h"
#include "panel/PanelValues.h"
#include "panel/PixelGeometry.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vanemark {

// The instrument areas a layout places; the bars follow in BarIndex order.
enum class LayoutArea : std::size_t { Stick = 0, Flaps, Speed, FirstBar };
inline constexpr std::size_t kLayoutAreaCount = static_cast<std::size_t>(LayoutArea::FirstBar) + BarCount;

constexpr LayoutArea BarArea(BarIndex bar)
{
    return static_cast<LayoutArea>(static_cast<std::size_t>(LayoutArea::FirstBar) + bar);
}
constexpr bool IsBar(LayoutArea area)
{
    return area >= LayoutArea::FirstBar;
}
constexpr BarIndex BarOf(LayoutArea area)
{
    return static_cast<BarIndex>(static_cast<std::size_t>(area) - static_cast<std::size_t>(LayoutArea::FirstBar));
}
// The layout file's section of the area.
std::string_view AreaSection(LayoutArea area);

// One area as the file places it. The rectangle is what the panel draws in:
// the stick square, the square around the flaps dial (kept at an even side,
// since the file holds its centre and radius), the speed box, a bar.
struct AreaState {
    PixelRect rect;
    bool shown = true;
    BarDirection direction = BarDirection::Up; // bars only
    BarStyle style = BarStyle::Full;           // bars only
    int pen = 1;                               // bars only: the file's pen, before it is fitted to the bar
    friend bool operator==(const AreaState&, const AreaState&) = default;
};

struct LayoutState {
    std::array<AreaState, kLayoutAreaCount> areas{};
    LayoutWindowSize window;
    friend bool operator==(const LayoutState& a, const LayoutState& b)
    {
        return a.areas == b.areas && a.window.cx == b.window.cx && a.window.cy == b.window.cy;
    }
};

// The editable geometry of one layout file, in the window's 1x pixels. It
// keeps the state it was loaded (or last saved) with, so Cancel is exact and
// Save touches only the keys whose values differ from it.
class LayoutModel {
public:
    // Reads with the panel's own readers, so the model shows what the panel
    // draws; a missing or unreadable file gives the defaults, as at start-up.
    void Load(const std::string& layoutFile);
    const std::string& File() const { return file; }

    const LayoutState& State() const { return current; }
    const AreaState& Area(LayoutArea area) const { return current.areas[static_cast<std::size_t>(area)]; }
    const LayoutWindowSize& WindowSize() const { return current.window; }

    // Each setter keeps every number within what the file reader accepts back
    // unchanged; sizes stay at least one pixel so an area can still be grabbed.
    void SetRect(LayoutArea area, const PixelRect& rect);
    void SetShown(LayoutArea area, bool shown);
    void SetDirection(LayoutArea area, BarDirection direction); // ignored for non-bars
    void SetStyle(LayoutArea area, BarStyle style);             // ignored for non-bars
    void SetWindowSize(int cx, int cy);

    bool Changed() const { return !(current == original); }
    // Back to the state of the last Load or Save.
    void Cancel() { current = original; }

    // Writes the changed keys into File() in one atomic rewrite; every other
    // byte of the file stays as it was. 0 on success (also when nothing
    // changed), else -1 with the file untouched and the reason in *error.
    int Save(std::string* error = nullptr);
    // Creates newFile (and its folder) as a copy of File() with the changes
    // applied, then edits that file from now on. Refuses an existing newFile,
    // which would otherwise be lost. 0 or -1 as Save.
    int SaveAs(const std::string& newFile, std::string* error = nullptr);

    // The geometry for the panel to draw: base with the stick square, flaps
    // dial, speed box and their "show" replaced (the flap angles are not edited here).
    PanelLayout PanelGeometry(const PanelLayout& base) const;
    // A bar's settings as the bar reader would make them from the edited file.
    BarSettings Bar(BarIndex bar, const BarSettings& base) const;

private:
    std::string file;
    LayoutState original;
    LayoutState current;
};

} // namespace vanemark
