// The panel keeps drawn pieces (texts, the stick's circles, the flaps wedge)
// between redraws. A panel that has been through many changes must show
// exactly what a new panel shows for the same state: the same font, so
// comparing the two pictures pixel for pixel is fair.
#include "panel/CPanelCtrl.h"
#include "panel/GdiCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <vector>

using namespace vanemark;

namespace {

const std::string layoutPath = std::string(VANEMARK_SOURCE_DIR) + "/res/Vanemark.cfg";

struct State {
    Colour background = 0x000000;
    Colour instrument = 0xC0FFC0;
    QString face = QStringLiteral("Courier New");
    int points = 8;
    double speed = 120.0;
    double flaps = -1.0;
    double stickX = 0.0;
    int showTitle = 0;
    QString title = QStringLiteral("Vanemark v2.0.0");
    PanelLayout layout;
    int width = 278;
    int height = 82;
};

void Apply(CPanelCtrl& panel, const State& s)
{
    panel.BeginUpdate();
    panel.SetLayout(s.layout);
    panel.backgroundColour = s.background;
    panel.SetInstrumentColour(s.instrument);
    panel.SetFont(s.face, s.points);
    panel.speed = s.speed;
    panel.flaps = s.flaps;
    panel.stickX = s.stickX;
    panel.showTitle = s.showTitle;
    panel.setWindowTitle(s.title);
    panel.resize(s.width, s.height);
    panel.EndUpdate();
}

QImage Fresh(const State& s)
{
    CPanelCtrl panel;
    panel.LoadLayout(layoutPath);
    Apply(panel, s);
    return panel.RenderImage();
}

} // namespace

TEST(PanelCache, EveryChangeShowsAsOnAFreshPanel)
{
    State s;
    {
        CPanelCtrl loaded;
        loaded.LoadLayout(layoutPath);
        s.layout = loaded.Layout();
    }
    CPanelCtrl panel;
    panel.LoadLayout(layoutPath);

    const std::function<void(State&)> changes[] = {
        [](State& x) { x.speed = 121.4; },
        [](State& x) { x.speed = 120.2; }, // back to a text drawn before
        [](State& x) { x.speed = -35.0; },
        [](State& x) { x.instrument = 0x2040FF; },
        [](State& x) { x.background = 0x303030; },
        // A face that comes with the metric twins the build installs.
        [](State& x) { x.face = QStringLiteral("Liberation Serif"); },
        [](State& x) { x.points = 12; },
        [](State& x) { x.flaps = 0.4; },
        [](State& x) { x.flaps = 1.0; },
        [](State& x) { x.stickX = 0.8; },
        [](State& x) {
            x.layout.speedBox = {x.layout.speedBox.left - 30, x.layout.speedBox.top + 10, x.layout.speedBox.right,
                                 x.layout.speedBox.bottom + 10};
        },
        [](State& x) {
            x.layout.stickSquare = {2, 2, 50, 50};
        },
        [](State& x) {
            x.layout.flapsDial = {150, -10, 200, 40};
        }, // cut by the top edge
        [](State& x) { x.showTitle = 1; },
        [](State& x) { x.title = QStringLiteral("Bf 109"); },
        [](State& x) { x.instrument = 0x00C000; },
        [](State& x) {
            x.width = 200;
            x.height = 60;
        },
    };
    QImage previous = panel.RenderImage();
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i](s);
        Apply(panel, s);
        const QImage shown = panel.RenderImage();
        EXPECT_EQ(shown, Fresh(s)) << "after change " << i;
        EXPECT_NE(shown, previous) << "change " << i << " shows nothing";
        previous = shown;
    }
}

TEST(PanelCache, ManyDifferentSpeedsStayRight)
{
    State s;
    {
        CPanelCtrl loaded;
        loaded.LoadLayout(layoutPath);
        s.layout = loaded.Layout();
    }
    CPanelCtrl panel;
    panel.LoadLayout(layoutPath);
    // More texts than the cache keeps (about 260 of this speed box), then earlier ones again.
    std::vector<int> speeds(300);
    std::iota(speeds.begin(), speeds.end(), 0);
    speeds.insert(speeds.end(), {5, 150, 299, 298, 0});
    for (const int kmh : speeds) {
        s.speed = kmh;
        Apply(panel, s);
        ASSERT_EQ(panel.RenderImage(), Fresh(s)) << "at " << kmh << " km/h";
    }
}

TEST(PanelCache, LinesAndFillsOnAPainterThatCannotBeWrittenDirectly)
{
    // The same calls on a translated, clipped painter take Qt's own path;
    // shifted back, the picture must match the direct one.
    QImage direct(40, 40, QImage::Format_RGB32);
    QImage shifted(60, 60, QImage::Format_RGB32);
    direct.fill(Qt::black);
    shifted.fill(Qt::black);
    auto draw = [](QPainter& p) {
        GdiCanvas c(p);
        c.FillRect({-5, 3, 17, 30}, 0x0000FF);
        c.FillRect({30, 30, 45, 45}, 0x00FF00);
        c.Line({1, 1}, {38, 9}, 0xFFFFFF);
        c.Line({39, 39}, {-4, 20}, 0xFF00FF);
        c.Line({20, 0}, {20, 50}, 0x00FFFF);
    };
    {
        QPainter p(&direct);
        draw(p);
    }
    {
        QPainter p(&shifted);
        p.setClipRect(QRect(10, 10, 40, 40));
        p.translate(10, 10);
        draw(p);
    }
    EXPECT_EQ(shifted.copy(10, 10, 40, 40), direct);
}
