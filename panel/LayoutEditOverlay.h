#pragma once

#include "config/PanelColours.h"

class QPainter;

namespace vanemark {

class LayoutModel;

// Edit mode's marks over the panel's 1x image: an outline round every area
// (dotted while the area is hidden, so it can still be found and shown), its
// resize handle, and the window's handle in the bottom-right corner. Areas
// without a size have nowhere to be grabbed and get no marks. Leaves the
// painter's pen and brush as it found them.
void DrawLayoutEditOverlay(QPainter& painter, const LayoutModel& model, Colour colour);

} // namespace vanemark
