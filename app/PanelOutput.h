#pragma once

#include "app/FrameOutput.h"

namespace vanemark {

class CPanelCtrl;

// The frame onto the panel. A frame that moves nothing by a pixel draws the
// same picture again; with the simulator paused or gone that is every
// frame, so it is not drawn. Every other change (colours, font, title,
// connection) refreshes the panel by itself.
class PanelOutput final : public FrameOutput {
public:
    explicit PanelOutput(CPanelCtrl& panel) : panel(panel) {}

    void Take(const Frame& frame, std::uint32_t nowMs) override;

private:
    CPanelCtrl& panel;
    bool drawnOnce = false;
};

} // namespace vanemark
