#include "panel/LayoutEditOverlay.h"

#include "panel/GdiCanvas.h"
#include "panel/LayoutEdit.h"
#include "panel/LayoutModel.h"

#include <QPainter>

namespace vanemark {

void DrawLayoutEditOverlay(QPainter& painter, const LayoutModel& model, Colour colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    GdiCanvas canvas(painter);
    for (std::size_t i = 0; i < kLayoutAreaCount; ++i) {
        const AreaState& area = model.Area(static_cast<LayoutArea>(i));
        const PixelRect& r = area.rect;
        if (r.IsEmpty()) {
            continue;
        }
        if (area.shown) {
            canvas.FrameRect(r, colour, 1);
        } else {
            QPen dotted(ToQColor(colour), 0, Qt::DotLine);
            painter.setPen(dotted);
            painter.setBrush(Qt::NoBrush);
            // A cosmetic pen on an aliased painter covers the rectangle plus one pixel; this keeps the outline inside.
            painter.drawRect(r.left, r.top, r.Width() - 1, r.Height() - 1);
        }
        canvas.FillRect(LayoutEdit::HandleRect(r), colour);
    }
    canvas.FillRect(LayoutEdit::WindowHandleRect(model.WindowSize()), colour);
    painter.restore();
}

} // namespace vanemark
