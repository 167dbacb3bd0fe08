#include "panel/LayoutEdit.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace vanemark {

namespace {

// The nearest multiple of step, halves away from zero, so a drag back to
// where it started always lands on zero.
int Snap(int delta, int step)
{
    if (step <= 1) {
        return delta;
    }
    const int half = step / 2;
    return delta >= 0 ? (delta + half) / step * step : -((-delta + half) / step * step);
}

std::int64_t AreaOf(const PixelRect& r)
{
    return static_cast<std::int64_t>(r.Width()) * r.Height();
}

// Areas from the smallest up; empty ones have no place to grab and are left out.
std::vector<LayoutArea> GrabOrder(const LayoutModel& model)
{
    std::vector<LayoutArea> order;
    for (std::size_t i = 0; i < kLayoutAreaCount; ++i) {
        if (!model.Area(static_cast<LayoutArea>(i)).rect.IsEmpty()) {
            order.push_back(static_cast<LayoutArea>(i));
        }
    }
    std::stable_sort(order.begin(), order.end(), [&model](LayoutArea a, LayoutArea b) {
        return AreaOf(model.Area(a).rect) < AreaOf(model.Area(b).rect);
    });
    return order;
}

} // namespace

PixelRect LayoutEdit::HandleRect(const PixelRect& area)
{
    const int before = kHandleSide / 2 + 1;
    return {area.right - before, area.bottom - before, area.right - before + kHandleSide,
            area.bottom - before + kHandleSide};
}

PixelRect LayoutEdit::WindowHandleRect(const LayoutWindowSize& window)
{
    return {window.cx - kHandleSide, window.cy - kHandleSide, window.cx, window.cy};
}

LayoutEdit::Hit LayoutEdit::HitTest(PixelPoint p) const
{
    if (WindowHandleRect(model.WindowSize()).Contains(p)) {
        return {Part::WindowHandle};
    }
    const std::vector<LayoutArea> order = GrabOrder(model);
    for (const LayoutArea area : order) {
        if (HandleRect(model.Area(area).rect).Contains(p)) {
            return {Part::Handle, area};
        }
    }
    for (const LayoutArea area : order) {
        if (model.Area(area).rect.Contains(p)) {
            return {Part::Body, area};
        }
    }
    return {};
}

bool LayoutEdit::Press(PixelPoint p)
{
    const Hit hit = HitTest(p);
    if (hit.part == Part::None) {
        drag.reset();
        return false;
    }
    drag = DragState{hit, p, model.Area(hit.area).rect, model.WindowSize()};
    return true;
}

bool LayoutEdit::Drag(PixelPoint p, int step)
{
    if (!drag) {
        return false;
    }
    const LayoutState before = model.State();
    int dx = Snap(p.x - drag->from.x, step);
    int dy = Snap(p.y - drag->from.y, step);
    const LayoutWindowSize& w = drag->window;
    if (drag->hit.part == Part::WindowHandle) {
        model.SetWindowSize(std::clamp(w.cx + dx, kMinWindowSide, kScreenReach),
                            std::clamp(w.cy + dy, kMinWindowSide, kScreenReach));
        return !(before == model.State());
    }

    const PixelRect& r = drag->rect;
    // An area whose handle starts inside the window keeps it there, so it can
    // always be grabbed again; one placed outside by hand is left free.
    const bool inside = r.right >= 1 && r.right <= w.cx && r.bottom >= 1 && r.bottom <= w.cy;
    if (inside) {
        dx = std::clamp(dx, 1 - r.right, w.cx - r.right);
        dy = std::clamp(dy, 1 - r.bottom, w.cy - r.bottom);
    }
    const LayoutArea area = drag->hit.area;
    if (drag->hit.part == Part::Body) {
        model.SetRect(area, {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy});
    } else if (area == LayoutArea::Stick || area == LayoutArea::Flaps) {
        // Squares follow the pointer's larger movement; the dial grows about its fixed centre.
        int d = std::abs(dx) >= std::abs(dy) ? dx : dy;
        if (inside) {
            d = std::min(d, std::min(w.cx - r.right, w.cy - r.bottom));
        }
        if (area == LayoutArea::Stick) {
            const int side = std::max(1, r.Width() + d);
            model.SetRect(area, {r.left, r.top, r.left + side, r.top + side});
        } else {
            const int half = r.Width() / 2;
            const int radius = std::max(1, half + d);
            const PixelPoint c{r.left + half, r.top + half};
            model.SetRect(area, {c.x - radius, c.y - radius, c.x + radius, c.y + radius});
        }
    } else {
        model.SetRect(area, {r.left, r.top, std::max(r.left + 1, r.right + dx), std::max(r.top + 1, r.bottom + dy)});
    }
    return !(before == model.State());
}

std::vector<LayoutEdit::Action> LayoutEdit::ActionsAt(PixelPoint p) const
{
    const Hit hit = HitTest(p);
    if (hit.part != Part::Body && hit.part != Part::Handle) {
        return {};
    }
    const AreaState& a = model.Area(hit.area);
    std::vector<Action> actions{{hit.area, a.shown ? Command::Hide : Command::Show, false}};
    if (IsBar(hit.area)) {
        static constexpr std::array<std::pair<Command, BarDirection>, 4> kDirections{
            {{Command::Up, BarDirection::Up},
             {Command::Down, BarDirection::Down},
             {Command::Left, BarDirection::Left},
             {Command::Right, BarDirection::Right}}};
        for (const auto& [command, direction] : kDirections) {
            actions.push_back({hit.area, command, a.direction == direction});
        }
        actions.push_back({hit.area, Command::Full, a.style == BarStyle::Full});
        actions.push_back({hit.area, Command::Dual, a.style == BarStyle::Centred});
    }
    return actions;
}

void LayoutEdit::Apply(const Action& action)
{
    switch (action.command) {
    case Command::Hide:
    case Command::Show:
        model.SetShown(action.area, action.command == Command::Show);
        break;
    case Command::Up:
        model.SetDirection(action.area, BarDirection::Up);
        break;
    case Command::Down:
        model.SetDirection(action.area, BarDirection::Down);
        break;
    case Command::Left:
        model.SetDirection(action.area, BarDirection::Left);
        break;
    case Command::Right:
        model.SetDirection(action.area, BarDirection::Right);
        break;
    case Command::Full:
    case Command::Dual:
        model.SetStyle(action.area, action.command == Command::Dual ? BarStyle::Centred : BarStyle::Full);
        break;
    }
}

QString LayoutEdit::Text(Command command)
{
    switch (command) {
    case Command::Hide:
        return tr("Hide");
    case Command::Show:
        return tr("Show");
    case Command::Up:
        return tr("Up");
    case Command::Down:
        return tr("Down");
    case Command::Left:
        return tr("Left");
    case Command::Right:
        return tr("Right");
    case Command::Full:
        return tr("Full");
    case Command::Dual:
        return tr("Dual");
    }
    return {};
}

} // namespace vanemark
