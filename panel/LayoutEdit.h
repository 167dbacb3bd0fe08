#pragma once

#include "panel/LayoutModel.h"

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

namespace vanemark {

// Mouse editing of a LayoutModel in the window's 1x pixels: press, drag and
// release move an area, resize it by its handle, or resize the window by the
// handle in its bottom-right corner.
class LayoutEdit {
    Q_DECLARE_TR_FUNCTIONS(LayoutEdit)

public:
    // Side of every square handle; an area's handle is centred on its bottom-right pixel.
    static constexpr int kHandleSide = 5;
    // The drag step while Shift is held.
    static constexpr int kShiftStep = 5;
    // The window never shrinks below this, so its own handle stays apart from the corner areas.
    static constexpr int kMinWindowSide = 20;

    enum class Part { None, Body, Handle, WindowHandle };
    struct Hit {
        Part part = Part::None;
        LayoutArea area = LayoutArea::Stick; // meaningful for Body and Handle
        friend bool operator==(const Hit&, const Hit&) = default;
    };

    enum class Command { Hide, Show, Up, Down, Left, Right, Full, Dual };
    static constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::Dual) + 1;
    struct Action {
        LayoutArea area;
        Command command;
        bool checked; // the area's current direction and type are checked
    };

    explicit LayoutEdit(LayoutModel& model) : model(model) {}

    static PixelRect HandleRect(const PixelRect& area);
    static PixelRect WindowHandleRect(const LayoutWindowSize& window);

    // The window's handle first, then area handles, then bodies; where areas
    // overlap the smaller one wins, so nothing small hides under a large dial.
    // Hidden areas answer too, so that they can be shown again.
    Hit HitTest(PixelPoint p) const;

    // Starts a drag on what lies under p; false (and nothing starts) elsewhere.
    bool Press(PixelPoint p);
    // The drag follows the pointer from where it was pressed, in multiples of
    // step (1, or kShiftStep with Shift). True when the model changed.
    bool Drag(PixelPoint p, int step = 1);
    void Release() { drag.reset(); }
    bool Dragging() const { return drag.has_value(); }

    // The context menu for the area under p: Hide or Show, then for bars the
    // four directions and the two types. Empty where no area is.
    std::vector<Action> ActionsAt(PixelPoint p) const;
    void Apply(const Action& action);
    // The menu text, translated.
    static QString Text(Command command);

private:
    struct DragState {
        Hit hit;
        PixelPoint from;
        PixelRect rect;
        LayoutWindowSize window;
    };

    LayoutModel& model;
    std::optional<DragState> drag;
};

} // namespace vanemark
