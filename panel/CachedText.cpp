#include "panel/CachedText.h"

#include "panel/GdiCanvas.h"

#include <QPainter>

#include <algorithm>

namespace vanemark {

QImage CachedText::Render(const QString& text) const
{
    QImage glyphs(drawnPart.Width(), drawnPart.Height(), QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.translate(drawnRect.left - drawnPart.left, drawnRect.top - drawnPart.top);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(drawnFont);
    GdiCanvas(painter).Text({0, 0, drawnRect.Width(), drawnRect.Height()}, text, drawnColour, drawnAlignRight);
    return glyphs;
}

QSize CachedText::LargestImage() const
{
    QSize largest;
    for (const QImage& glyphs : images) {
        largest = largest.expandedTo(glyphs.size());
    }
    return largest;
}

void CachedText::Draw(QPainter& painter, const PixelRect& rect, const QString& text, const QFont& font, Colour colour,
                      bool alignRight)
{
    // Only the part of the box on the surface is kept: the layout file may
    // give a box many times the panel's size.
    const QPaintDevice* device = painter.device();
    const PixelRect part{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, device->width()),
                         std::min(rect.bottom, device->height())};
    if (rect.IsEmpty() || part.IsEmpty()) {
        return;
    }
    if (rect != drawnRect || part != drawnPart || colour != drawnColour || alignRight != drawnAlignRight ||
        font != drawnFont) {
        images.clear();
        drawnRect = rect;
        drawnPart = part;
        drawnFont = font;
        drawnColour = colour;
        drawnAlignRight = alignRight;
    }
    auto found = images.constFind(text);
    if (found == images.constEnd()) {
        const qsizetype imageBytes = qsizetype{4} * part.Width() * part.Height();
        if ((images.size() + 1) * imageBytes > kMaxBytes) {
            images.clear();
        }
        found = images.insert(text, Render(text));
    }
    painter.drawImage(QPoint(part.left, part.top), *found);
}

} // namespace vanemark
