#include "panel/CPanelCtrl.h"

#include "core/ProfileFile.h"
#include "panel/GaugeGeometry.h"
#include "panel/GdiCanvas.h"
#include "panel/LayoutEditOverlay.h"
#include "panel/PixelScale.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace vanemark {

namespace {

// Points to pixels as the platform's MulDiv computes it: rounded half away from zero.
int PointsToPixels(int points, int dpi)
{
    const long long product = static_cast<long long>(points) * dpi;
    return static_cast<int>((product + 36) / 72);
}

bool SameShown(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

CPanelCtrl::CPanelCtrl(QWidget* parent) : QWidget(parent)
{
    // The image covers every pixel, so the background is never erased
    // between two copies; that is what keeps the panel from flickering.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

CPanelCtrl::~CPanelCtrl() = default;

int CPanelCtrl::LoadLayout(const std::string& fileName)
{
    ProfileFile profile;
    profile.Open(fileName, '#', "\r\n");
    layout = ReadPanelLayout(profile);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        bars[i].LoadSection(profile, kBarSections[i], 0, 0, 0, 0);
        // The file's bar colours are read but every bar shows the instrument colour.
        bars[i].SetColour(ColourOf(PanelColours::Instruments));
    }
    return 0;
}

void CPanelCtrl::SetBar(BarIndex index, const BarSettings& settings)
{
    bars[index] = BarElement(settings);
    bars[index].SetColour(ColourOf(PanelColours::Instruments));
}

bool CPanelCtrl::SetValues(const PanelValues& newValues)
{
    const PanelValues old = values;
    values = newValues;
    return !SamePicture(old, newValues);
}

// Whether two value sets draw the same pixels, by the same geometry the
// drawing uses. Polled at the shortest interval the simulator's values move
// by fractions of a pixel most of the time, and a still hand not at all.
bool CPanelCtrl::SamePicture(const PanelValues& a, const PanelValues& b) const
{
    const auto absentAlike = [](double x, double y) { return std::isnan(x) == std::isnan(y); };
    if (!absentAlike(a.speed, b.speed) || !absentAlike(a.flaps, b.flaps) || !absentAlike(a.pitch, b.pitch) ||
        !absentAlike(a.bank, b.bank) || !absentAlike(a.stickX, b.stickX) || !absentAlike(a.stickY, b.stickY)) {
        return false;
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (!SameShown(a.bars[i], b.bars[i]) &&
            (!absentAlike(a.bars[i], b.bars[i]) || !(bars[i].Geometry(a.bars[i]) == bars[i].Geometry(b.bars[i])))) {
            return false;
        }
    }
    if (!SameShown(a.speed, b.speed) &&
        settings::FormatSpeed(a.speed, speedUnit) != settings::FormatSpeed(b.speed, speedUnit)) {
        return false;
    }
    if (!SameShown(a.flaps, b.flaps) && !(ComputeFlaps(layout, a.flaps) == ComputeFlaps(layout, b.flaps))) {
        return false;
    }
    if ((!SameShown(a.pitch, b.pitch) || !SameShown(a.bank, b.bank)) &&
        !(ComputePitch(layout.stickSquare, a.pitch, a.bank) == ComputePitch(layout.stickSquare, b.pitch, b.bank))) {
        return false;
    }
    return (SameShown(a.stickX, b.stickX) && SameShown(a.stickY, b.stickY)) ||
           ComputeStick(layout.stickSquare, a.stickX, a.stickY) == ComputeStick(layout.stickSquare, b.stickX, b.stickY);
}

bool CPanelCtrl::SetHandMarks(const HandMarks& marks)
{
    const HandMarks old = hand;
    hand = marks;
    return !SameMarks(old, marks);
}

// A hand is never quite still: a tremor smaller than a pixel must not cost a redraw.
bool CPanelCtrl::SameMarks(const HandMarks& a, const HandMarks& b) const
{
    if (a == b) {
        return true;
    }
    const auto ring = [this](const HandMarks& m) {
        const bool drawn = layout.stickShown && std::isfinite(m.stickX) && std::isfinite(m.stickY);
        return drawn ? ComputeStickRing(layout.stickSquare, m.stickX, m.stickY) : PixelRect{};
    };
    if (ring(a) != ring(b)) {
        return false;
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (bars[i].Tick(a.bars[i]) != bars[i].Tick(b.bars[i])) {
            return false;
        }
    }
    return true;
}

void CPanelCtrl::SetColours(const PanelColours& newColours)
{
    colours = newColours;
    for (BarElement& bar : bars) {
        bar.SetColour(ColourOf(PanelColours::Instruments));
    }
}

void CPanelCtrl::SetFont(const QString& face, int points)
{
    fontSize = points <= 0 ? 10 : points;
    fontFace = face.isEmpty() ? QStringLiteral("Courier New") : face;

    QFont font(fontFace);
    font.setPixelSize(std::max(1, PointsToPixels(fontSize, logicalDpiY())));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // A missing face falls back to a proportional sans serif, as the classic font mapper does.
    font.setStyleHint(QFont::SansSerif);
    font.setKerning(false);
    font.setStyleStrategy(QFont::NoAntialias);
    panelFont = font;
    fontReady = true;

    const QFontMetrics metrics(panelFont);
    lineHeight = metrics.height();
    spaceWidth = metrics.horizontalAdvance(QLatin1Char(' '));
    minimumWidth = 2 * spaceWidth;
}

void CPanelCtrl::Refresh()
{
    // Painting at once rather than posting an update request saves the event
    // loop a wake-up per frame; the picture is the same.
    Redraw();
    repaint();
}

int CPanelCtrl::HitTestClose(const QPoint& screenPoint) const
{
    if (!showTitle) {
        return 0;
    }
    // The box is laid out at 1x; a screen point maps to the 1x pixel it shows,
    // rounded toward minus infinity so that a point just above or left of the
    // panel never lands on its first row or column.
    const QPoint offset = screenPoint - mapToGlobal(QPoint(0, 0));
    const auto toBase = [this](int v) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); };
    const PixelRect baseRect{0, 0, width() / scale, height() / scale};
    return CloseHitRect(baseRect, lineHeight).Contains({toBase(offset.x()), toBase(offset.y())}) ? kCloseHitCode : 0;
}

QString CPanelCtrl::TitleText() const
{
    const QWidget* titled = owner ? owner.data() : window();
    return titled->windowTitle();
}

QImage CPanelCtrl::RenderImage()
{
    Redraw();
    update();
    return Shown().copy();
}

bool CPanelCtrl::SaveSnapshot(const QString& pngPath)
{
    const QImage picture = RenderImage();
    return !picture.isNull() && picture.save(pngPath, "PNG");
}

QSize CPanelCtrl::LargestCachedImage() const
{
    return speedText.LargestImage()
        .expandedTo(titleText.LargestImage())
        .expandedTo(flapsWedge.ImageSize())
        .expandedTo(stickCircles.ImageSize());
}

void CPanelCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // On a screen with more device pixels than logical ones Qt enlarges the
    // image once more; that too must stay nearest-neighbour, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect area = event->rect();
    const QImage& shown = Shown();
    const QRect covered = area & shown.rect();
    if (!covered.isEmpty()) {
        painter.drawImage(covered, shown, covered);
    }
    // A paint that comes before the first redraw shows the background, not garbage.
    const QRegion uncovered = QRegion(area).subtracted(QRegion(covered));
    for (const QRect& r : uncovered) {
        painter.fillRect(r, ToQColor(ColourOf(PanelColours::Background)));
    }
}

void CPanelCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Redraw();
    update();
}

void CPanelCtrl::Redraw()
{
    if (!fontReady) {
        SetFont(fontFace, fontSize);
    }
    // A new size gets a new image before anything is drawn, so no stale
    // pixels of the old size can reach the screen.
    const QSize base(width() / scale, height() / scale);
    if (image.size() != base) {
        image = QImage();
        if (base.width() > 0 && base.height() > 0) {
            image = QImage(base, QImage::Format_RGB32);
        }
    }
    if (image.isNull()) {
        enlarged = QImage();
        return;
    }
    DrawPanel(image);
    ++pictureNumber;
    if (scale > 1) {
        EnlargeNearest(image, scale, enlarged);
    } else {
        enlarged = QImage();
    }
}

void CPanelCtrl::DrawPanel(QImage& target)
{
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(panelFont);
    GdiCanvas canvas(painter);
    const Colour background = ColourOf(PanelColours::Background);
    const Colour instruments = ColourOf(PanelColours::Instruments);
    const Colour marks = ColourOf(PanelColours::FlapsMarks);
    const Colour stickColour = ColourOf(PanelColours::Stick);

    canvas.FillRect({0, 0, target.width(), target.height()}, background);

    if (layout.flapsShown) {
        const FlapsGeometry flapsDial = ComputeFlaps(layout, values.flaps);
        for (const PixelPoint& end : flapsDial.markEnds) {
            canvas.Line(flapsDial.centre, end, marks);
        }
        // Values the simulator does not send (NaN) are drawn as absent: the
        // instrument without its pointer, never a made-up position.
        if (!std::isnan(values.flaps)) {
            DrawFlapsWedge(painter, flapsDial);
        }
    }

    if (layout.stickShown) {
        if (!std::isnan(values.pitch) && !std::isnan(values.bank)) {
            const PitchGeometry attitude = ComputePitch(layout.stickSquare, values.pitch, values.bank);
            const Colour pitchColour = ColourOf(attitude.pitchUp ? PanelColours::PitchUp : PanelColours::PitchDown);
            canvas.Polygon(attitude.triangle, pitchColour, pitchColour);
            canvas.Line(attitude.triangle[0], attitude.triangle[1], marks);
            canvas.Line(attitude.centre, attitude.bankLineEnd, marks);
        }

        const StickGeometry stick = ComputeStick(layout.stickSquare, values.stickX, values.stickY);
        DrawStickCircles(painter, stick);
        if (!std::isnan(values.stickX) && !std::isnan(values.stickY)) {
            canvas.Line(stick.centre, stick.knob, stickColour);
            canvas.Ellipse(stick.knobCircle, stickColour, &stickColour);
        }
    }

    if (layout.speedShown && !std::isnan(values.speed)) {
        speedText.Draw(painter, layout.speedBox, QString::fromStdString(settings::FormatSpeed(values.speed, speedUnit)),
                       panelFont, instruments, true);
    }

    for (std::size_t i = 0; i < bars.size(); ++i) {
        bars[i].Draw(painter, values.bars[i]);
    }
    DrawHandMarks(painter);

    if (showTitle) {
        const TitleGeometry title = ComputeTitle(target.width(), lineHeight, spaceWidth);
        canvas.FillRect(title.bar, instruments);
        titleText.Draw(painter, title.text, TitleText(), panelFont, background, false);
        const PixelRect& box = title.closeBox;
        const PixelPoint corners[] = {{box.left, box.top},
                                      {box.right, box.top},
                                      {box.right, box.bottom},
                                      {box.left, box.bottom},
                                      {box.left, box.top}};
        canvas.Polyline(corners, background);
        canvas.Line({box.left, box.top}, {box.right, box.bottom}, background);
        canvas.Line({box.right, box.top}, {box.left, box.bottom}, background);
    }
    if (editOverlay != nullptr) {
        // The inverse of the background stands out whatever colours the pilot chose.
        DrawLayoutEditOverlay(painter, *editOverlay, background ^ 0xFFFFFF);
    }
}

void CPanelCtrl::DrawHandMarks(QPainter& painter) const
{
    // Over the values, and whether or not the simulator sends its own: the
    // hand's position is worth seeing exactly when the two disagree.
    if (layout.stickShown && std::isfinite(hand.stickX) && std::isfinite(hand.stickY)) {
        GdiCanvas(painter).Ellipse(ComputeStickRing(layout.stickSquare, hand.stickX, hand.stickY),
                                   ColourOf(PanelColours::Stick));
    }
    // Over a bar's fill, which has the instrument colour, the tick is cut in the background's.
    for (std::size_t i = 0; i < bars.size(); ++i) {
        bars[i].DrawTick(painter, hand.bars[i], values.bars[i], ColourOf(PanelColours::Background));
    }
}

void CPanelCtrl::DrawFlapsWedge(QPainter& painter, const FlapsGeometry& g)
{
    const PixelRect& dial = g.dial;
    const Colour instrumentColour = ColourOf(PanelColours::Instruments);
    flapsWedge.Draw(painter, dial,
                    {dial.left, dial.top, dial.right, dial.bottom, g.firstRadial.x, g.firstRadial.y, g.secondRadial.x,
                     g.secondRadial.y, instrumentColour},
                    [&](QPainter& p) {
                        GdiCanvas(p).Pie(dial, g.firstRadial, g.secondRadial, instrumentColour, instrumentColour);
                    });
}

void CPanelCtrl::DrawStickCircles(QPainter& painter, const StickGeometry& g)
{
    const PixelRect& outer = g.outerCircle;
    const PixelRect& inner = g.innerCircle;
    const PixelRect& mark = g.centreMark;
    const Colour instrumentColour = ColourOf(PanelColours::Instruments);
    const Colour backgroundColour = ColourOf(PanelColours::Background);
    // The centre mark sticks out of a very small stick square.
    const PixelRect area{std::min(outer.left, mark.left), std::min(outer.top, mark.top),
                         std::max(outer.right, mark.right), std::max(outer.bottom, mark.bottom)};
    stickCircles.Draw(painter, area,
                      {outer.left, outer.top, outer.right, outer.bottom, inner.left, inner.top, inner.right,
                       inner.bottom, mark.left, mark.top, mark.right, mark.bottom, instrumentColour, backgroundColour},
                      [&](QPainter& p) {
                          GdiCanvas circles(p);
                          circles.Ellipse(outer, instrumentColour);
                          circles.DottedEllipse(inner, instrumentColour, backgroundColour);
                          circles.Ellipse(mark, instrumentColour);
                      });
}

} // namespace vanemark
