#pragma once

#include "panel/BarElement.h"
#include "panel/CachedLayer.h"
#include "panel/CachedText.h"
#include "panel/PanelLayout.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPainter;

#include <array>
#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

namespace vanemark {

struct FlapsGeometry;
struct StickGeometry;

// The seven bars, in the order they are read from the layout and drawn.
enum BarIndex : std::size_t { PowerBar = 0, PropBar, RudderBar, BrakesBar, ATrimBar, ETrimBar, RTrimBar, BarCount };
// Layout section of each bar, indexed by BarIndex.
inline constexpr std::array<std::string_view, BarCount> barSections{"power", "prop",  "rudder", "brakes",
                                                                    "atrim", "etrim", "rtrim"};

// The instrument panel: draws into an off-screen image of its own size and
// paints by copying that image, so the screen never flickers. The owner writes
// the values (inside BeginUpdate/EndUpdate, or busyCount directly) and calls
// Refresh; nothing here has a timer or thread of its own.
class CPanelCtrl : public QWidget {
    Q_OBJECT

public:
    // The hit-test code of a close button, answered inside the title strip's close box.
    static constexpr int closeHitCode = 20;

    explicit CPanelCtrl(QWidget* parent = nullptr);
    ~CPanelCtrl() override;

    // Reads the layout file (not section "window", which sizes the owner
    // window). Missing file or keys give the defaults. Call after
    // SetInstrumentColour: the bars take that colour. Returns 0.
    int LoadLayout(const std::string& fileName);
    const PanelLayout& Layout() const { return layout; }
    void SetLayout(const PanelLayout& newLayout) { layout = newLayout; }

    // Sets the instrument colour and the fill and border colour of every bar. Does not redraw.
    void SetInstrumentColour(Colour colour);
    Colour InstrumentColour() const { return instrumentColour; }

    // Size <= 0 means 10 points, an empty face "Courier New". Measures the
    // line height, space width and minimum width. Does not redraw.
    void SetFont(const QString& face, int points);
    const QString& FontFace() const { return fontFace; }
    int FontSize() const { return fontSize; }
    int LineHeight() const { return lineHeight; }
    int SpaceWidth() const { return spaceWidth; }
    int MinimumWidth() const { return minimumWidth; }
    const QFont& PanelFont() const { return panelFont; }

    // Redraws into the image (unless busy) and paints it at once, without
    // erase. From another thread the redraw is queued to the panel's thread.
    void Refresh();

    // Raise and lower the busy count around writing the values: while it is
    // non-zero, a redraw draws nothing and the window keeps its last picture.
    void BeginUpdate() { ++busyCount; }
    void EndUpdate() { --busyCount; }

    // 20 (closeHitCode) when the title strip is shown and the screen point lies in its close box, else 0.
    int HitTestClose(const QPoint& screenPoint) const;

    // The window whose title the title strip shows; without one, the panel's own top-level window.
    void SetOwner(QWidget* ownerWindow) { owner = ownerWindow; }
    QString TitleText() const;

    // Redraws at the current widget size (resize() works without showing the
    // window) and returns a copy of the image; a busy panel returns its last picture.
    QImage RenderImage();
    // RenderImage() written as PNG; false if the file cannot be written.
    bool SaveSnapshot(const QString& pngPath);
    // The back buffer as last drawn (null before the first redraw).
    const QImage& Image() const { return image; }

    BarElement& Bar(BarIndex index) { return bars[index]; }
    const BarElement& Bar(BarIndex index) const { return bars[index]; }

    // Colours written directly by the owner (the instrument colour goes through SetInstrumentColour).
    Colour backgroundColour = 0x000000;
    Colour flapsColour = 0;     // the flaps marks, the pitch base line and the bank line
    Colour pitchUpColour = 0;   // "pitch color"
    Colour pitchDownColour = 0; // "pitch down"
    Colour stickColour = 0;

    // Values shown, written by the owner; none is clamped.
    double stickX = 0.0; // -1 ... 1
    double stickY = 0.0; // -1 ... 1, positive downwards
    double pitch = 0.0;  // degrees
    double bank = 0.0;   // degrees
    double flaps = -1.0; // -1 retracted ... 1 fully extended
    double speed = 0.0;  // km/h
    std::array<BarElement, BarCount> bars{};

    int showTitle = 0; // 0 or 1
    std::atomic<int> busyCount{0};

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Draws the image unless busy; false when busy (nothing was drawn).
    bool Redraw();
    void DrawPanel(QImage& target);
    // Both are drawn through a cached layer: they only change with the layout, the colours and the flaps.
    void DrawFlapsWedge(QPainter& painter, const FlapsGeometry& g);
    void DrawStickCircles(QPainter& painter, const StickGeometry& g);

    PanelLayout layout;
    Colour instrumentColour = 0xC0FFC0;
    QString fontFace = QStringLiteral("Courier New");
    int fontSize = 10;
    QFont panelFont;
    bool fontReady = false;
    int lineHeight = 0;
    int spaceWidth = 0;
    int minimumWidth = 0;
    QImage image;
    CachedText speedText;
    CachedText titleText;
    CachedLayer flapsWedge;
    CachedLayer stickCircles;
    QPointer<QWidget> owner;
};

} // namespace vanemark
