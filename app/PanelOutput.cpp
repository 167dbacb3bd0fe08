#include "app/PanelOutput.h"

#include "panel/CPanelCtrl.h"

namespace vanemark {

void PanelOutput::Take(const Frame& frame, std::uint32_t /*nowMs*/)
{
    // Both, always: a hand that moved under a still value is a change too.
    const bool valuesMoved = panel.SetValues(frame.values);
    const bool marksMoved = panel.SetHandMarks(frame.marks);
    if (!drawnOnce || valuesMoved || marksMoved) {
        panel.Refresh();
        drawnOnce = true;
    }
}

} // namespace vanemark
