#pragma once

#include "config/PanelColours.h"
#include "config/SpeedUnit.h"
#include "panel/BarElement.h"
#include "panel/CachedLayer.h"
#include "panel/CachedText.h"
#include "panel/PanelLayout.h"
#include "panel/PanelValues.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPainter;

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {

struct FlapsGeometry;
struct StickGeometry;
class LayoutModel;

// Layout section of each bar, indexed by BarIndex (sized by its initialiser,
// so a missing name fails to compile).
inline constexpr auto kBarSections =
    std::to_array<std::string_view>({"power", "prop", "rudder", "brakes", "atrim", "etrim", "rtrim"});
static_assert(kBarSections.size() == BarCount);

// The instrument panel: draws into an off-screen image of its own size and
// paints by copying that image, so the screen never flickers. The owner hands
// over values, colours and the title state, then calls Refresh; everything
// runs on the GUI thread, and nothing here has a timer or thread of its own.
class CPanelCtrl : public QWidget {
    Q_OBJECT

public:
    // The hit-test code of a close button, answered inside the title strip's close box.
    static constexpr int kCloseHitCode = 20;

    explicit CPanelCtrl(QWidget* parent = nullptr);
    ~CPanelCtrl() override;

    // Reads the layout file (not section "window", which sizes the owner
    // window). Missing file or keys give the defaults; the bars keep showing
    // the instrument colour whatever the file says. Returns 0.
    int LoadLayout(const std::string& fileName);
    const PanelLayout& Layout() const { return layout; }
    void SetLayout(const PanelLayout& newLayout) { layout = newLayout; }

    // True when the new values change the picture, so that a cycle which
    // changes nothing can skip the redraw: a value that moves less than a
    // pixel (or stays absent) is no change. Does not redraw.
    bool SetValues(const PanelValues& newValues);
    const PanelValues& Values() const { return values; }

    // Where the pilot's hand holds the controls, drawn over the values: a
    // ring in the stick circle, a tick across each bar. True when the picture
    // changes, by the same rule as SetValues. Does not redraw.
    bool SetHandMarks(const HandMarks& marks);
    const HandMarks& Hand() const { return hand; }

    // The instrument colour also fills and frames every bar. Does not redraw.
    void SetColours(const PanelColours& newColours);
    const PanelColours& Colours() const { return colours; }

    // The title strip with the owner's title and a close box, over the top line. Does not redraw.
    void SetShowTitle(bool show) { showTitle = show; }
    bool ShowTitle() const { return showTitle; }

    // Size <= 0 means 10 points, an empty face "Courier New". Measures the
    // line height, space width and minimum width. Does not redraw.
    void SetFont(const QString& face, int points);
    const QString& FontFace() const { return fontFace; }
    int FontSize() const { return fontSize; }
    int LineHeight() const { return lineHeight; }
    int SpaceWidth() const { return spaceWidth; }
    int MinimumWidth() const { return minimumWidth; }
    const QFont& PanelFont() const { return panelFont; }

    // The panel is laid out and drawn at 1x, then every pixel is shown as a
    // factor x factor block: the widget is the 1x size times the factor.
    // Does not resize or redraw.
    void SetScale(int factor) { scale = factor < 1 ? 1 : factor; }
    int Scale() const { return scale; }

    // The unit of the speed read-out; the values stay in km/h. Does not redraw.
    void SetSpeedUnit(settings::SpeedUnit unit) { speedUnit = unit; }
    settings::SpeedUnit SpeedUnit() const { return speedUnit; }

    // Redraws into the image and paints it at once, without erase. GUI thread only.
    void Refresh();

    // kCloseHitCode when the title strip is shown and the screen point lies in its close box, else 0.
    int HitTestClose(const QPoint& screenPoint) const;

    // The window whose title the title strip shows; without one, the panel's own top-level window.
    void SetOwner(QWidget* ownerWindow) { owner = ownerWindow; }
    QString TitleText() const;

    // Redraws at the current widget size (resize() works without showing the
    // window) and returns a copy of what the widget shows, at the scale.
    QImage RenderImage();
    // RenderImage() written as PNG; false if the file cannot be written.
    bool SaveSnapshot(const QString& pngPath);
    // The 1x back buffer as last drawn (null before the first redraw).
    const QImage& Image() const { return image; }
    // Counts the pictures drawn into Image(): a copy taken at one number is
    // the picture until the number moves on.
    std::uint64_t PictureNumber() const { return pictureNumber; }
    // What paintEvent copies: the back buffer enlarged by the scale.
    const QImage& Shown() const { return scale == 1 ? image : enlarged; }
    // The largest image any of the panel's caches holds, in pixels on each side.
    QSize LargestCachedImage() const;

    const BarElement& Bar(BarIndex index) const { return bars[index]; }
    // A bar laid out anew (the layout editor's live changes); it keeps the
    // instrument colour whatever `settings` holds. Does not redraw.
    void SetBar(BarIndex index, const BarSettings& settings);

    // While set, every redraw marks the model's areas and handles over the
    // 1x picture, before any enlargement; nullptr ends it. The model must
    // outlive its use here. Does not redraw.
    void SetEditOverlay(const LayoutModel* model) { editOverlay = model; }
    const LayoutModel* EditOverlay() const { return editOverlay; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Redraw();
    void DrawPanel(QImage& target);
    // Both are drawn through a cached layer: they only change with the layout, the colours and the flaps.
    void DrawFlapsWedge(QPainter& painter, const FlapsGeometry& g);
    void DrawStickCircles(QPainter& painter, const StickGeometry& g);
    void DrawHandMarks(QPainter& painter) const;
    Colour ColourOf(PanelColours::Role role) const { return colours[role]; }

    PanelLayout layout;
    bool SamePicture(const PanelValues& a, const PanelValues& b) const;
    bool SameMarks(const HandMarks& a, const HandMarks& b) const;

    PanelValues values;
    HandMarks hand;
    PanelColours colours;
    std::array<BarElement, BarCount> bars{};
    bool showTitle = false;
    int scale = 1;
    std::uint64_t pictureNumber = 0;
    settings::SpeedUnit speedUnit = settings::SpeedUnit::Kmh;
    QString fontFace = QStringLiteral("Courier New");
    int fontSize = 10;
    QFont panelFont;
    bool fontReady = false;
    int lineHeight = 0;
    int spaceWidth = 0;
    int minimumWidth = 0;
    QImage image;
    QImage enlarged; // unused at scale 1
    CachedText speedText;
    CachedText titleText;
    CachedLayer flapsWedge;
    CachedLayer stickCircles;
    QPointer<QWidget> owner;
    const LayoutModel* editOverlay = nullptr;
};

} // namespace vanemark
