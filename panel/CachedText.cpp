#include "panel/CachedText.h"

#include "panel/GdiCanvas.h"

#include <QPainter>

namespace vanemark {

QImage CachedText::Render(const QString& text) const
{
    QImage glyphs(drawnRect.Width(), drawnRect.Height(), QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(drawnFont);
    GdiCanvas(painter).Text({0, 0, drawnRect.Width(), drawnRect.Height()}, text, drawnColour, drawnAlignRight);
    return glyphs;
}

void CachedText::Draw(QPainter& painter, const PixelRect& rect, const QString& text, const QFont& font, Colour colour,
                      bool alignRight)
{
    if (rect.IsEmpty()) {
        return;
    }
    if (rect != drawnRect || colour != drawnColour || alignRight != drawnAlignRight || font != drawnFont) {
        images.clear();
        drawnRect = rect;
        drawnFont = font;
        drawnColour = colour;
        drawnAlignRight = alignRight;
    }
    auto found = images.constFind(text);
    if (found == images.constEnd()) {
        const qsizetype imageBytes = qsizetype{4} * rect.Width() * rect.Height();
        if ((images.size() + 1) * imageBytes > kMaxBytes) {
            images.clear();
        }
        found = images.insert(text, Render(text));
    }
    painter.drawImage(QPoint(rect.left, rect.top), *found);
}

} // namespace vanemark
