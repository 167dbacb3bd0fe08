#pragma once

#include "panel/PixelGeometry.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

class QPainter;

namespace vanemark {

// Text drawn the way GdiCanvas::Text draws it, but laid out and shaped only
// once per distinct text. Shaping costs more than the rest of the panel
// together, while the speed read-out moves among a handful of nearby values
// and the title strip almost never changes: each text is drawn once into a
// transparent image of its box and copied from there. The panel font is not
// antialiased, so every pixel of such an image is either untouched or exactly
// the text colour, and the copy gives the same pixels as drawing directly.
// Boxes are in the surface's own pixels: the painter must not be transformed.
class CachedText {
public:
    // Bytes of images kept before the cache starts over: a few hundred texts
    // of the shipped layout's speed box, enough for every speed of a flight.
    static constexpr qsizetype kMaxBytes = qsizetype{1} << 20;

    void Draw(QPainter& painter, const PixelRect& rect, const QString& text, const QFont& font, Colour colour,
              bool alignRight);
    qsizetype Size() const { return images.size(); }
    // The largest cached image, in pixels on each side.
    QSize LargestImage() const;

private:
    QImage Render(const QString& text) const;

    QHash<QString, QImage> images;
    // What every cached image was drawn with; a change empties the cache.
    PixelRect drawnRect;
    PixelRect drawnPart; // the part of drawnRect on the surface, the size of every image
    QFont drawnFont;
    Colour drawnColour = 0;
    bool drawnAlignRight = false;
};

} // namespace vanemark
