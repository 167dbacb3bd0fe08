#include "panel/GdiCanvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <utility>

namespace vanemark {

namespace {

// QRect's width counts pixels; the outline of an ellipse drawn with a 1-pixel
// pen in QRect(x, y, w, h) covers x ... x + w, so one less keeps it inside.
QRect OutlineBounds(const PixelRect& r)
{
    return {r.left, r.top, r.Width() - 1, r.Height() - 1};
}

QPoint ToQPoint(PixelPoint p)
{
    return {p.x, p.y};
}

// The image under the painter when single pixels may be written straight into
// it: an opaque 32-bit image painted without transform, clip or blending. A
// pixel written there is exactly what drawing the point would give, at a
// fraction of the cost of a trip through the paint engine.
QImage* DirectTarget(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return nullptr;
    }
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool opaqueFormat = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                              format == QImage::Format_ARGB32_Premultiplied;
    // A shared image would be copied by the first write, away from the painter.
    if (!opaqueFormat || !image->isDetached() || image->devicePixelRatio() != 1.0 || painter.hasClipping() ||
        !painter.worldTransform().isIdentity() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return nullptr;
    }
    return image;
}

// The pixels of a line, end excluded: step i moves i pixels along the longer
// axis and the rounded exact fraction of that along the shorter one, so a line
// and its reverse cover the same pixels. The products are unsigned 64-bit, so
// any two int points work; every step lies between the ends and fits an int.
class LineSteps {
public:
    LineSteps(PixelPoint from, PixelPoint to)
        : from(from), dx(Distance(from.x, to.x)), dy(Distance(from.y, to.y)), sx(to.x > from.x ? 1 : -1),
          sy(to.y > from.y ? 1 : -1)
    {
    }

    std::uint64_t Count() const { return std::max(dx, dy); }

    QPoint At(std::uint64_t i) const
    {
        const bool alongX = dx >= dy;
        const std::uint64_t major = i;
        const std::uint64_t minor = alongX ? Fraction(i, dy, dx) : Fraction(i, dx, dy);
        return {Move(from.x, sx, alongX ? major : minor), Move(from.y, sy, alongX ? minor : major)};
    }

    // The steps [first, last) that land inside the area. Each coordinate moves
    // one way only, so "has reached the area" and "has passed it" each turn
    // true once, at a step a bisection finds.
    std::pair<std::uint64_t, std::uint64_t> Within(const QRect& area) const
    {
        const auto reached = [&](int c, int s, int low, int high) { return s > 0 ? c >= low : c <= high; };
        const auto passed = [&](int c, int s, int low, int high) { return s > 0 ? c > high : c < low; };
        const std::uint64_t first =
            std::max(FirstStep([&](QPoint p) { return reached(p.x(), sx, area.left(), area.right()); }),
                     FirstStep([&](QPoint p) { return reached(p.y(), sy, area.top(), area.bottom()); }));
        const std::uint64_t last =
            std::min(FirstStep([&](QPoint p) { return passed(p.x(), sx, area.left(), area.right()); }),
                     FirstStep([&](QPoint p) { return passed(p.y(), sy, area.top(), area.bottom()); }));
        return {first, last};
    }

private:
    static std::uint64_t Distance(int a, int b)
    {
        return static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(b) - a));
    }
    // round(i * minor / major), halves up, without forming 2 * i * minor.
    static std::uint64_t Fraction(std::uint64_t i, std::uint64_t minor, std::uint64_t major)
    {
        const std::uint64_t product = i * minor;
        return product / major + (2 * (product % major) >= major ? 1 : 0);
    }
    static int Move(int start, int sign, std::uint64_t by)
    {
        return static_cast<int>(start + sign * static_cast<std::int64_t>(by));
    }
    // The first step at which a condition that never turns back holds; Count() if none.
    template <class Condition> std::uint64_t FirstStep(Condition holds) const
    {
        std::uint64_t low = 0;
        std::uint64_t high = Count();
        while (low < high) {
            const std::uint64_t middle = low + (high - low) / 2;
            if (holds(At(middle))) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    }

    PixelPoint from;
    std::uint64_t dx;
    std::uint64_t dy;
    int sx;
    int sy;
};

// The part of the painter's coordinates that reaches its device.
QRect LogicalSurface(const QPainter& painter)
{
    bool invertible = false;
    const QTransform toLogical = painter.worldTransform().inverted(&invertible);
    const QPaintDevice* device = painter.device();
    if (!invertible || device == nullptr) {
        return {};
    }
    return toLogical.mapRect(QRect(0, 0, device->width(), device->height())).adjusted(-1, -1, 1, 1);
}

// The platform's dotted cosmetic pen: three pixels on, three off.
const QList<qreal>& DotPattern()
{
    static const QList<qreal> pattern{3.0, 3.0};
    return pattern;
}

} // namespace

QColor ToQColor(Colour colour)
{
    const auto c = static_cast<std::uint32_t>(colour);
    return {static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu), static_cast<int>((c >> 16) & 0xFFu)};
}

void GdiCanvas::SetPen(Colour colour, Qt::PenStyle style)
{
    // Width 0 is Qt's cosmetic one-pixel pen; a flat cap leaves the end point
    // of a line unpainted.
    QPen pen(ToQColor(colour), 0, style, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::CustomDashLine) {
        pen.setDashPattern(DotPattern());
    }
    painter.setPen(pen);
}

void GdiCanvas::FillRect(const PixelRect& rect, Colour colour)
{
    if (rect.IsEmpty()) {
        return;
    }
    const QRect area(rect.left, rect.top, rect.Width(), rect.Height());
    if (QImage* image = DirectTarget(painter)) {
        const QRect inside = area & image->rect();
        const QRgb pixel = ToQColor(colour).rgba();
        if (inside.isEmpty()) {
            return;
        }
        // One row by hand, the others copied from it: the copy is the fast, vectorised path.
        uchar* bits = image->bits();
        const qsizetype stride = image->bytesPerLine();
        const auto rowSpan = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride) + inside.left(); };
        const QRgb* first = rowSpan(inside.top());
        std::fill_n(rowSpan(inside.top()), inside.width(), pixel);
        for (int y = inside.top() + 1; y <= inside.bottom(); ++y) {
            std::memcpy(rowSpan(y), first, static_cast<std::size_t>(inside.width()) * sizeof(QRgb));
        }
        return;
    }
    painter.fillRect(area, ToQColor(colour));
}

void GdiCanvas::FrameRect(const PixelRect& rect, Colour colour, int penWidth)
{
    const int w = penWidth < 1 ? 1 : penWidth;
    // The pen is centred on the edge pixels, which lie at left and right - 1.
    const PixelRect outer{rect.left - w / 2, rect.top - w / 2, rect.right - 1 - w / 2 + w, rect.bottom - 1 - w / 2 + w};
    const PixelRect inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
    if (inner.IsEmpty()) {
        FillRect(outer, colour);
        return;
    }
    FillRect({outer.left, outer.top, outer.right, inner.top}, colour);
    FillRect({outer.left, inner.bottom, outer.right, outer.bottom}, colour);
    FillRect({outer.left, inner.top, inner.left, inner.bottom}, colour);
    FillRect({inner.right, inner.top, outer.right, inner.bottom}, colour);
}

void GdiCanvas::Line(PixelPoint from, PixelPoint to, Colour colour)
{
    // Qt's own flat-capped line drops whichever end comes last in its drawing
    // order, not necessarily the end point, so lines are stepped here: every
    // pixel from the start up to, not including, the end. Only the steps that
    // land on the surface are walked, however far away the ends lie.
    const LineSteps line(from, to);
    QImage* image = DirectTarget(painter);
    const auto [first, last] = line.Within(image != nullptr ? image->rect() : LogicalSurface(painter));
    if (first >= last) {
        return;
    }
    if (image != nullptr) {
        const QRgb pixel = ToQColor(colour).rgba();
        uchar* bits = image->bits();
        const qsizetype stride = image->bytesPerLine();
        for (std::uint64_t i = first; i < last; ++i) {
            const QPoint p = line.At(i);
            reinterpret_cast<QRgb*>(bits + p.y() * stride)[p.x()] = pixel;
        }
        return;
    }
    QPolygon points(static_cast<int>(last - first));
    for (std::uint64_t i = first; i < last; ++i) {
        points[static_cast<int>(i - first)] = line.At(i);
    }
    SetPen(colour);
    painter.drawPoints(points);
}

void GdiCanvas::AxisLine(PixelPoint from, PixelPoint to, Colour colour, int penWidth)
{
    if (from == to) {
        return;
    }
    const int w = penWidth < 1 ? 1 : penWidth;
    if (from.y == to.y) {
        const int left = std::min(from.x, to.x + 1);
        const int right = std::max(from.x + 1, to.x);
        FillRect({left, from.y - w / 2, right, from.y - w / 2 + w}, colour);
    } else if (from.x == to.x) {
        const int top = std::min(from.y, to.y + 1);
        const int bottom = std::max(from.y + 1, to.y);
        FillRect({from.x - w / 2, top, from.x - w / 2 + w, bottom}, colour);
    } else {
        Line(from, to, colour);
    }
}

void GdiCanvas::Polyline(std::span<const PixelPoint> points, Colour colour)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        Line(points[i - 1], points[i], colour);
    }
}

void GdiCanvas::Ellipse(const PixelRect& bounds, Colour pen, const Colour* fill)
{
    if (bounds.IsEmpty()) {
        return;
    }
    SetPen(pen);
    painter.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(OutlineBounds(bounds));
}

void GdiCanvas::DottedEllipse(const PixelRect& bounds, Colour pen, Colour gap)
{
    if (bounds.IsEmpty()) {
        return;
    }
    painter.setBrush(Qt::NoBrush);
    SetPen(gap);
    painter.drawEllipse(OutlineBounds(bounds));
    SetPen(pen, Qt::CustomDashLine);
    painter.drawEllipse(OutlineBounds(bounds));
}

void GdiCanvas::Pie(const PixelRect& bounds, PixelPoint firstRadial, PixelPoint secondRadial, Colour pen, Colour fill)
{
    if (bounds.IsEmpty()) {
        return;
    }
    // The arc runs through the centres of the outermost pixels, so the outline
    // stays inside the bounding rectangle; the apex is the rectangle's centre,
    // the point the radial directions are measured from.
    const double cx = (bounds.left + bounds.right) / 2.0;
    const double cy = (bounds.top + bounds.bottom) / 2.0;
    const QRectF arc(bounds.left + 0.5, bounds.top + 0.5, bounds.Width() - 1, bounds.Height() - 1);
    // Screen y grows downwards; Qt's angles, like the platform's, count counter-clockwise as seen on screen.
    const double a1 = std::atan2(cy - firstRadial.y, firstRadial.x - cx) * 180.0 / std::numbers::pi;
    const double a2 = std::atan2(cy - secondRadial.y, secondRadial.x - cx) * 180.0 / std::numbers::pi;
    double span = std::fmod(a2 - a1, 360.0);
    if (span <= 0.0) {
        span += 360.0;
    }
    QPainterPath wedge;
    wedge.moveTo(cx, cy);
    wedge.arcTo(arc, a1, span);
    wedge.closeSubpath();
    SetPen(pen);
    painter.setBrush(QBrush(ToQColor(fill)));
    painter.drawPath(wedge);
}

void GdiCanvas::Polygon(std::span<const PixelPoint> points, Colour pen, Colour fill)
{
    if (points.empty()) {
        return;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const PixelPoint& p : points) {
        polygon << ToQPoint(p);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(ToQColor(fill)));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
    // The outline closes the figure, so every vertex is painted, even of a
    // triangle flattened onto its base.
    for (std::size_t i = 0; i < points.size(); ++i) {
        Line(points[i], points[(i + 1) % points.size()], pen);
    }
    if (points.size() == 1 || std::all_of(points.begin(), points.end(), [&](PixelPoint p) { return p == points[0]; })) {
        FillRect({points[0].x, points[0].y, points[0].x + 1, points[0].y + 1}, pen);
    }
}

void GdiCanvas::Text(const PixelRect& rect, const QString& text, Colour colour, bool alignRight)
{
    if (rect.IsEmpty()) {
        return;
    }
    painter.setPen(ToQColor(colour));
    const Qt::Alignment flags = (alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    painter.drawText(QRect(rect.left, rect.top, rect.Width(), rect.Height()), static_cast<int>(flags.toInt()), text);
}

} // namespace vanemark
