#include "panel/BarElement.h"

#include <cmath>

#include "core/ProfileFile.h"
#include "panel/GaugeGeometry.h"
#include "panel/GdiCanvas.h"
#include "panel/PanelLayout.h"

#include <QPainter>

#include <algorithm>
#include <cctype>
#include <string>

namespace vanemark {

namespace {

constexpr std::size_t kValueBuffer = 255;
// How far the hand's tick reaches past the outer edge of the frame.
constexpr int kTickReach = 2;

PixelRect Intersection(const PixelRect& a, const PixelRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The row or column of the rectangle's last pixel going this way.
int LastPixel(const PixelRect& r, BarDirection towards)
{
    switch (towards) {
    case BarDirection::Up:
        return r.top;
    case BarDirection::Down:
        return r.bottom - 1;
    case BarDirection::Left:
        return r.left;
    case BarDirection::Right:
        break;
    }
    return r.right - 1;
}

BarDirection Opposite(BarDirection d)
{
    switch (d) {
    case BarDirection::Up:
        return BarDirection::Down;
    case BarDirection::Down:
        return BarDirection::Up;
    case BarDirection::Left:
        return BarDirection::Right;
    case BarDirection::Right:
        break;
    }
    return BarDirection::Left;
}

char FirstUpper(const std::string& word)
{
    return word.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(word.front())));
}

} // namespace

double BarElement::GetFraction(double value) const
{
    return settings.style == BarStyle::Full ? (value + 1.0) * 0.5 : value;
}

int BarElement::LoadSection(ProfileFile& profile, std::string_view section, int defaultLeft, int defaultTop,
                            int defaultWidth, int defaultHeight)
{
    switch (FirstUpper(profile.GetString(section, "dir", "up", kValueBuffer))) {
    case 'D':
        settings.direction = BarDirection::Down;
        break;
    case 'L':
        settings.direction = BarDirection::Left;
        break;
    case 'R':
        settings.direction = BarDirection::Right;
        break;
    case 'U':
        settings.direction = BarDirection::Up;
        break;
    default:
        break; // an unknown word keeps what the bar had
    }

    settings.style = FirstUpper(profile.GetString(section, "type", "full", kValueBuffer)) == 'D' ? BarStyle::Centred
                                                                                                 : BarStyle::Full;
    settings.show = profile.GetInt(section, "show", 1) != 0 ? 1 : 0;
    settings.fillColour = profile.GetInt(section, "fill color", 0xFFFFFF);
    settings.borderColour = profile.GetInt(section, "border color", 0xFFFFFF);
    settings.penWidth = ReadScreenInt(profile, section, "pen", 1);
    if (settings.penWidth < 0) {
        settings.penWidth = 1;
    }

    const PixelPoint top = ReadPair(profile, section, "top", defaultLeft, defaultTop);
    const PixelPoint size = ReadPair(profile, section, "size", defaultWidth, defaultHeight);
    settings.rect = {top.x, top.y, top.x + size.x, top.y + size.y};

    // A frame wider than the bar would swallow it; half the smaller side keeps a visible inside.
    const int smaller = std::min(settings.rect.Width(), settings.rect.Height());
    if (settings.penWidth > smaller) {
        settings.penWidth = smaller / 2;
    }
    return 0;
}

BarGeometry BarElement::Geometry(double value) const
{
    return ComputeBarGeometry(settings, GetFraction(value));
}

PixelRect BarElement::Tick(double value) const
{
    return ComputeBarTick(settings, GetFraction(value));
}

void BarElement::DrawTick(QPainter& painter, double handValue, double shownValue, Colour overFill) const
{
    const PixelRect tick = Tick(handValue);
    if (tick.IsEmpty()) {
        return;
    }
    GdiCanvas canvas(painter);
    canvas.FillRect(tick, settings.borderColour);
    canvas.FillRect(Intersection(tick, Geometry(shownValue).fill), overFill);
}

void BarElement::SetColour(Colour colour)
{
    settings.fillColour = colour;
    settings.borderColour = colour;
}

void BarElement::Draw(QPainter& painter, double value) const
{
    const BarGeometry g = Geometry(value);
    if (!g.visible) {
        return;
    }
    const QPen oldPen = painter.pen();
    const QBrush oldBrush = painter.brush();
    GdiCanvas canvas(painter);
    canvas.FillRect(g.fill, settings.fillColour);
    canvas.FrameRect(g.frame, settings.borderColour, g.penWidth);
    if (g.hasZeroLine) {
        canvas.AxisLine(g.zeroFrom, g.zeroTo, settings.borderColour, g.penWidth);
    }
    painter.setPen(oldPen);
    painter.setBrush(oldBrush);
}

BarGeometry ComputeBarGeometry(const BarSettings& settings, double fraction)
{
    BarGeometry g;
    const PixelRect& r = settings.rect;
    if (settings.show == 0 || r.IsEmpty()) {
        return g;
    }
    g.visible = true;
    g.frame = r;
    g.penWidth = settings.penWidth;
    // A value the simulator does not send: the frame alone, no fill and no
    // zero line that would read as a centred control.
    if (std::isnan(fraction)) {
        return g;
    }

    if (settings.style == BarStyle::Full) {
        if (fraction > 0.0) {
            g.fill = r;
            switch (settings.direction) {
            case BarDirection::Up:
                g.fill.top = r.bottom - TruncToPixel(r.Height() * fraction);
                break;
            case BarDirection::Down:
                g.fill.bottom = r.top + TruncToPixel(r.Height() * fraction);
                break;
            case BarDirection::Left:
                g.fill.left = r.right - TruncToPixel(r.Width() * fraction);
                break;
            case BarDirection::Right:
                g.fill.right = r.left + TruncToPixel(r.Width() * fraction);
                break;
            }
        }
        return g;
    }

    const double v = fraction;
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    g.fill = r;
    switch (settings.direction) {
    case BarDirection::Up:
        if (v > 0) {
            g.fill.bottom = cy;
            g.fill.top = cy - TruncToPixel((cy - r.top) * v);
        } else {
            g.fill.top = cy;
            g.fill.bottom = cy - TruncToPixel((r.bottom - cy) * v);
        }
        break;
    case BarDirection::Down:
        if (v > 0) {
            g.fill.top = cy;
            g.fill.bottom = cy + TruncToPixel((r.bottom - cy) * v);
        } else {
            g.fill.bottom = cy;
            g.fill.top = cy + TruncToPixel((cy - r.top) * v);
        }
        break;
    case BarDirection::Left:
        if (v > 0) {
            g.fill.right = cx;
            g.fill.left = cx - TruncToPixel((cx - r.left) * v);
        } else {
            g.fill.left = cx;
            g.fill.right = cx - TruncToPixel((r.right - cx) * v);
        }
        break;
    case BarDirection::Right:
        if (v > 0) {
            g.fill.left = cx;
            g.fill.right = cx + TruncToPixel((r.right - cx) * v);
        } else {
            g.fill.right = cx;
            g.fill.left = cx + TruncToPixel((cx - r.left) * v);
        }
        break;
    }
    g.hasZeroLine = true;
    if (settings.direction == BarDirection::Up || settings.direction == BarDirection::Down) {
        g.zeroFrom = {r.left, cy};
        g.zeroTo = {r.right, cy};
    } else {
        g.zeroFrom = {cx, r.top};
        g.zeroTo = {cx, r.bottom};
    }
    return g;
}

PixelRect ComputeBarTick(const BarSettings& settings, double fraction)
{
    const BarGeometry g = ComputeBarGeometry(settings, fraction);
    if (!g.visible || !std::isfinite(fraction)) {
        return {};
    }
    const PixelRect& r = settings.rect;
    const bool centred = settings.style == BarStyle::Centred;
    const bool vertical = settings.direction == BarDirection::Up || settings.direction == BarDirection::Down;
    // A centred bar fills against its direction for values below zero.
    const BarDirection growth = centred && fraction < 0.0 ? Opposite(settings.direction) : settings.direction;
    int at = 0;
    if (!g.fill.IsEmpty()) {
        at = LastPixel(g.fill, growth);
    } else if (centred) {
        at = vertical ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2;
    } else {
        at = LastPixel(r, Opposite(growth));
    }
    // The frame's pen is centred on the edge pixels, as FrameRect draws it.
    const int w = std::max(1, g.penWidth);
    const int before = w / 2 + kTickReach;
    const int after = w - 1 - w / 2 + kTickReach;
    if (vertical) {
        return {r.left - before, at, r.right + after, at + 1};
    }
    return {at, r.top - before, at + 1, r.bottom + after};
}

} // namespace vanemark
