#include "panel/CachedLayer.h"

#include <QPainter>

#include <algorithm>

namespace vanemark {

void CachedLayer::Draw(QPainter& target, const PixelRect& area, const Key& key, const PaintFn& paint)
{
    // A margin for the odd pixel a tiny curve's outline sets beside its box;
    // and only the part on the target: the rasteriser cuts a shape at the edge
    // of the image it draws on, and the layer must be cut at the same place.
    const QPaintDevice* device = target.device();
    const PixelRect onTarget{std::max(area.left - kMargin, 0), std::max(area.top - kMargin, 0),
                             std::min(area.right + kMargin, device->width()),
                             std::min(area.bottom + kMargin, device->height())};
    if (onTarget.IsEmpty()) {
        return;
    }
    if (image.isNull() || onTarget != drawnArea || key != drawnKey) {
        image = QImage(onTarget.Width(), onTarget.Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-onTarget.left, -onTarget.top);
        paint(painter);
        drawnArea = onTarget;
        drawnKey = key;
    }
    target.drawImage(QPoint(onTarget.left, onTarget.top), image);
}

} // namespace vanemark
