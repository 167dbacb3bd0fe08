#pragma once

#include "panel/PixelGeometry.h"

#include <QColor>
#include <QPen>

#include <span>

class QPainter;
class QString;

namespace vanemark {

QColor ToQColor(Colour colour);

// Draw calls with the classic raster rules, on a QPainter without
// antialiasing: rectangles exclude their right and bottom edge, a line does
// not paint its end point, ellipse and pie outlines stay inside their
// bounding rectangle, a pie runs counter-clockwise from its first radial
// point to its second, and a pen of width 0 is one pixel wide. Every call
// sets the pen and brush it needs; the caller restores the painter's state
// if it cares.
class GdiCanvas {
public:
    explicit GdiCanvas(QPainter& painter) : painter(painter) {}

    void FillRect(const PixelRect& rect, Colour colour);
    // Outline of the rectangle with a pen of the given width, centred on the
    // edge pixels (a width of 1 paints exactly the outermost ring).
    void FrameRect(const PixelRect& rect, Colour colour, int penWidth);
    // A 1-pixel line; the end point is left unpainted.
    void Line(PixelPoint from, PixelPoint to, Colour colour);
    // A horizontal or vertical line of the given pen width, end point excluded.
    void AxisLine(PixelPoint from, PixelPoint to, Colour colour, int penWidth);
    void Polyline(std::span<const PixelPoint> points, Colour colour);
    // 1-pixel outline; filled when fill is given.
    void Ellipse(const PixelRect& bounds, Colour pen, const Colour* fill = nullptr);
    // Dotted 1-pixel outline whose gaps show the gap colour.
    void DottedEllipse(const PixelRect& bounds, Colour pen, Colour gap);
    void Pie(const PixelRect& bounds, PixelPoint firstRadial, PixelPoint secondRadial, Colour pen, Colour fill);
    void Polygon(std::span<const PixelPoint> points, Colour pen, Colour fill);
    // Text without background, clipped to the rectangle, starting at its top.
    void Text(const PixelRect& rect, const QString& text, Colour colour, bool alignRight);

private:
    void SetPen(Colour colour, Qt::PenStyle style = Qt::SolidLine);

    QPainter& painter;
};

} // namespace vanemark
