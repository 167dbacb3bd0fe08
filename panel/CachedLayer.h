#pragma once

#include "panel/PixelGeometry.h"

#include <QImage>

#include <functional>
#include <vector>

class QPainter;

namespace vanemark {

// A group of draw calls whose pixels depend only on a few numbers (their
// geometry and colours), drawn once into a transparent image and copied from
// there until those numbers change. The stick's circles and the flaps wedge go
// through Qt's curve rasteriser, the dearest part of a redraw, yet stay the
// same for long stretches. Everything the calls paint must lie inside the
// area and be opaque (the panel draws without antialiasing), so the copy
// gives the same pixels as drawing directly.
class CachedLayer {
public:
    using Key = std::vector<int>;
    static constexpr int kMargin = 2;
    using PaintFn = std::function<void(QPainter&)>;

    // `paint` draws in the target's coordinates; it runs only when area or key differ from the last call.
    void Draw(QPainter& target, const PixelRect& area, const Key& key, const PaintFn& paint);
    QSize ImageSize() const { return image.size(); }

private:
    QImage image;
    PixelRect drawnArea;
    Key drawnKey;
};

} // namespace vanemark
