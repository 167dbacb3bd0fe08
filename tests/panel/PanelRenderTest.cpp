#include "panel/CPanelCtrl.h"
#include "panel/GaugeGeometry.h"

#include "PixelTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

using namespace vanemark;
using namespace vanemark::test;

namespace {

constexpr Colour background = 0x000000;
constexpr Colour instrument = 0xC0FFC0;
constexpr Colour marks = 0xC2C2C2;
constexpr Colour pitchUp = 0x808080;
constexpr Colour pitchDown = 0x80FF80;
constexpr Colour stick = 0x00FF00;

// A panel with the start-up colours and font, sized but never shown.
void Prepare(CPanelCtrl& panel, int w = 140, int h = 140)
{
    panel.backgroundColour = background;
    panel.SetInstrumentColour(instrument);
    panel.flapsColour = marks;
    panel.pitchUpColour = pitchUp;
    panel.pitchDownColour = pitchDown;
    panel.stickColour = stick;
    panel.SetFont("Courier New", 8);
    panel.resize(w, h);
}

// A layout with every instrument out of the picture, for tests that look at one.
PanelLayout Bare()
{
    PanelLayout layout;
    layout.flapsDial = {};
    layout.speedBox = {};
    layout.stickSquare = {-500, -500, -400, -400};
    return layout;
}

} // namespace

TEST(PanelRender, StickKnobAt45DegreesOnTheCircle)
{
    CPanelCtrl panel;
    Prepare(panel, 120, 120);
    PanelLayout layout = Bare();
    layout.stickSquare = {0, 0, 100, 100};
    panel.SetLayout(layout);
    panel.stickX = 1.0;
    panel.stickY = 1.0;
    const QImage image = panel.RenderImage();
    ASSERT_EQ(image.size(), QSize(120, 120));

    // The knob is a filled 5-pixel circle around (85, 85); the stick line runs there from (50, 50).
    for (const int at : {85, 84, 86, 70})
        EXPECT_TRUE(PixelIs(image, at, at, stick)) << at;
    EXPECT_EQ(BoundsOf(image, stick), (PixelRect{50, 50, 88, 88}));
    // The outer circle reaches from 0 to 100 inclusive.
    EXPECT_EQ(BoundsOf(image, instrument), (PixelRect{0, 0, 101, 101}));
    // The dotted inner circle shows both its dots and background-coloured gaps.
    EXPECT_GT(CountOf(image, instrument, {24, 24, 28, 77}), 5);
}

TEST(PanelRender, FlapsWedgeRetractedAndExtended)
{
    CPanelCtrl panel;
    Prepare(panel);
    PanelLayout layout = Bare();
    layout.flapsDial = PanelLayout{}.flapsDial; // centre (100, 5), radius 25, full 60
    panel.SetLayout(layout);

    panel.flaps = -1.0;
    const QImage up = panel.RenderImage();
    // A sliver just below the horizontal radius, and the three marks below it.
    EXPECT_GT(CountOf(up, instrument, {105, 5, 125, 7}), 10);
    EXPECT_EQ(CountOf(up, instrument, {101, 8, 140, 40}), 0);
    EXPECT_EQ(CountOf(up, instrument, {0, 0, 140, 5}), 0);
    EXPECT_TRUE(PixelIs(up, 110, 8, marks));   // 18-degree mark: 10 px out, 3 down
    EXPECT_TRUE(PixelIs(up, 105, 14, marks));  // 60-degree mark
    EXPECT_FALSE(PixelIs(up, 112, 26, marks)); // its end point stays unpainted

    panel.flaps = 1.0;
    const QImage down = panel.RenderImage();
    // The wedge from the horizontal down to 60 degrees covers all three marks.
    EXPECT_EQ(CountOf(down, marks, {0, 0, 140, 140}), 0);
    EXPECT_TRUE(PixelIs(down, 115, 12, instrument));  // about 25 degrees, radius 16
    EXPECT_TRUE(PixelIs(down, 110, 17, instrument));  // about 50 degrees
    EXPECT_FALSE(PixelIs(down, 106, 20, instrument)); // about 68 degrees, past full
    EXPECT_FALSE(PixelIs(down, 90, 15, instrument));  // nothing to the left of the centre
    EXPECT_EQ(CountOf(down, instrument, {0, 0, 140, 4}), 0);
}

TEST(PanelRender, PitchColourAndBaseLine)
{
    CPanelCtrl panel;
    Prepare(panel);
    PanelLayout layout = Bare();
    // A square smaller than the fixed 100-pixel base, so the base's ends lie outside the stick circle.
    layout.stickSquare = {20, 5, 80, 65}; // centre (50, 35)
    panel.SetLayout(layout);

    panel.pitch = 0.0;
    const QImage level = panel.RenderImage();
    // The base line is in the marks' colour; its unpainted end point shows the
    // flattened triangle's own colour, the pitch-down colour at exactly 0.
    EXPECT_TRUE(PixelIs(level, 0, 35, marks));
    EXPECT_TRUE(PixelIs(level, 99, 35, marks));
    EXPECT_TRUE(PixelIs(level, 100, 35, pitchDown));
    EXPECT_FALSE(PixelIs(level, 101, 35, pitchDown));
    EXPECT_EQ(CountOf(level, pitchUp, {0, 0, 140, 140}), 0);

    panel.pitch = 30.0;
    const QImage up = panel.RenderImage();
    EXPECT_TRUE(PixelIs(up, 55, 25, pitchUp)); // inside the triangle above the centre
    EXPECT_TRUE(PixelIs(up, 50, 25, marks));   // the bank line, straight up without bank
    EXPECT_TRUE(PixelIs(up, 100, 35, pitchUp));
    EXPECT_FALSE(PixelIs(up, 55, 45, pitchUp));
    EXPECT_EQ(CountOf(up, pitchDown, {0, 0, 140, 140}), 0);

    panel.pitch = -30.0;
    const QImage down = panel.RenderImage();
    EXPECT_TRUE(PixelIs(down, 55, 45, pitchDown));
    EXPECT_FALSE(PixelIs(down, 55, 25, pitchDown));

    // Banked 90 degrees left the base stands upright and the bank line points left.
    panel.bank = 90.0;
    const QImage banked = panel.RenderImage();
    EXPECT_TRUE(PixelIs(banked, 40, 35, marks));
    EXPECT_TRUE(PixelIs(banked, 50, 80, marks));
    EXPECT_TRUE(PixelIs(banked, 60, 30, pitchDown)); // negative pitch, so the apex points right
}

TEST(PanelRender, BarsDrawTheirFillRectangles)
{
    CPanelCtrl panel;
    Prepare(panel, 200, 140);
    panel.SetLayout(Bare());
    panel.Bar(PowerBar).settings.rect = {150, 10, 170, 50};
    panel.Bar(PowerBar).value = 0.0;
    panel.Bar(RudderBar).settings.rect = {140, 100, 180, 110};
    panel.Bar(RudderBar).settings.style = BarStyle::Centred;
    panel.Bar(RudderBar).settings.direction = BarDirection::Left;
    panel.Bar(RudderBar).value = -0.5;
    const QImage image = panel.RenderImage();
    // Full: the lower half inside the frame.
    EXPECT_EQ(CountOf(image, instrument, {151, 11, 169, 30}), 0);
    EXPECT_EQ(CountOf(image, instrument, {150, 30, 170, 50}), 20 * 20);
    // Centred, left, -0.5: (160, 100, 170, 110) right of the zero line at x = 160.
    EXPECT_EQ(CountOf(image, instrument, {141, 101, 160, 109}), 0);
    EXPECT_EQ(CountOf(image, instrument, {160, 100, 170, 110}), 100);
    EXPECT_EQ(CountOf(image, instrument, {171, 101, 179, 109}), 0);
}

TEST(PanelRender, SpeedTextIsRightAlignedAtTheTopOfItsBox)
{
    CPanelCtrl panel;
    Prepare(panel, 200, 140);
    PanelLayout layout = Bare();
    layout.speedBox = {20, 60, 180, 110};
    panel.SetLayout(layout);
    panel.speed = 123.9;
    const QImage image = panel.RenderImage();
    const PixelRect text = BoundsOf(image, instrument);
    ASSERT_FALSE(text.IsEmpty());
    const QFontMetrics metrics(panel.PanelFont());
    const int width = metrics.horizontalAdvance(QStringLiteral("123 kmh"));
    EXPECT_LE(text.right, 180);
    EXPECT_GE(text.right, 180 - panel.SpaceWidth());
    EXPECT_NEAR(text.left, 180 - width, panel.SpaceWidth());
    EXPECT_GE(text.top, 60);
    EXPECT_LT(text.bottom, 60 + panel.LineHeight() + 2);

    // Text never spills out of its box.
    layout.speedBox = {20, 60, 40, 65};
    panel.SetLayout(layout);
    const PixelRect clipped = BoundsOf(panel.RenderImage(), instrument);
    if (!clipped.IsEmpty()) {
        EXPECT_GE(clipped.left, 20);
        EXPECT_LE(clipped.right, 40);
        EXPECT_LE(clipped.bottom, 65);
    }
}

TEST(PanelRender, BusyCountSuppressesTheRedrawAndOtherThreadsAreQueued)
{
    CPanelCtrl panel;
    Prepare(panel);
    panel.stickX = -1.0;
    const QImage before = panel.RenderImage();
    panel.BeginUpdate();
    panel.stickX = 1.0;
    panel.backgroundColour = 0x0000FF;
    panel.Refresh();
    EXPECT_EQ(panel.Image(), before);
    EXPECT_EQ(panel.RenderImage(), before);
    panel.EndUpdate();
    std::thread other([&panel] { panel.Refresh(); });
    other.join();
    EXPECT_EQ(panel.Image(), before);
    QApplication::processEvents();
    EXPECT_NE(panel.Image(), before);
    EXPECT_TRUE(PixelIs(panel.Image(), 139, 139, 0x0000FF));
}

TEST(PanelRender, ResizeMakesAFreshImageBeforeDrawing)
{
    CPanelCtrl panel;
    Prepare(panel, 140, 140);
    panel.backgroundColour = 0x0000FF;
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.Refresh();
    EXPECT_EQ(panel.Image().size(), QSize(140, 140));

    // The resize itself redraws, at the new size, and every new pixel is painted.
    panel.resize(300, 200);
    QApplication::processEvents();
    ASSERT_EQ(panel.Image().size(), QSize(300, 200));
    EXPECT_EQ(CountOf(panel.Image(), 0x0000FF, {150, 0, 300, 200}), 150 * 200);
    EXPECT_EQ(CountOf(panel.Image(), 0x0000FF, {0, 145, 140, 200}), 140 * 55);

    // Painting copies the image and nothing else.
    const QImage onScreen = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(onScreen, panel.Image());
}

TEST(PanelRender, TitleStripAndCloseBox)
{
    CPanelCtrl panel;
    Prepare(panel, 278, 82);
    panel.setWindowTitle(QStringLiteral("Vanemark v2.0.0"));
    panel.move(100, 200);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QPoint origin = panel.mapToGlobal(QPoint(0, 0));
    const int lh = panel.LineHeight();
    ASSERT_GT(lh, 6);
    const QPoint insideBox = origin + QPoint(278 - 2 - (lh - 4) / 2, lh / 2);

    panel.showTitle = 0;
    const QImage plain = panel.RenderImage();
    EXPECT_EQ(panel.HitTestClose(insideBox), 0);
    EXPECT_EQ(CountOf(plain, instrument, {200, 0, 278, lh}), 0);

    panel.showTitle = 1;
    const QImage titled = panel.RenderImage();
    EXPECT_EQ(panel.HitTestClose(insideBox), CPanelCtrl::closeHitCode);
    for (const QPoint outside : {QPoint(10, lh / 2), QPoint(278 - 4, lh + 2), QPoint(278, lh / 2)})
        EXPECT_EQ(panel.HitTestClose(origin + outside), 0);

    // The strip is the instrument colour; the box and the text are drawn in the background colour.
    const TitleGeometry title = ComputeTitle(278, lh, panel.SpaceWidth());
    EXPECT_EQ(CountOf(titled, instrument, {200, 0, title.closeBox.left - 1, lh}), (title.closeBox.left - 201) * lh);
    const PixelRect& box = title.closeBox;
    for (const auto& [x, y] : {std::pair{box.left, box.top},
                               {box.right, box.bottom},
                               {box.right, box.top},
                               {(box.left + box.right) / 2, (box.top + box.bottom) / 2}})
        EXPECT_TRUE(PixelIs(titled, x, y, background)) << x << "," << y;
    EXPECT_TRUE(PixelIs(titled, box.right + 1, box.top, instrument));
    EXPECT_GT(CountOf(titled, background, {title.text.left, 0, title.text.left + 60, lh}), 20);
    EXPECT_EQ(panel.TitleText(), QStringLiteral("Vanemark v2.0.0"));

    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Bf 109"));
    panel.SetOwner(&owner);
    EXPECT_EQ(panel.TitleText(), QStringLiteral("Bf 109"));
}

TEST(PanelRender, FontDefaultsAndMetrics)
{
    CPanelCtrl panel;
    panel.SetFont(QString(), 0); // no face and no size: the defaults
    EXPECT_EQ(panel.FontFace(), QStringLiteral("Courier New"));
    EXPECT_EQ(panel.FontSize(), 10);
    const int tall = panel.LineHeight();
    panel.SetFont(QStringLiteral("Courier New"), 8);
    EXPECT_EQ(panel.FontSize(), 8);
    EXPECT_GT(panel.LineHeight(), 0);
    EXPECT_LT(panel.LineHeight(), tall);
    EXPECT_GT(panel.SpaceWidth(), 0);
    EXPECT_EQ(panel.MinimumWidth(), 2 * panel.SpaceWidth());
    panel.SetFont(QStringLiteral("Courier New"), -4);
    EXPECT_EQ(panel.FontSize(), 10);
}

TEST(PanelRender, ShippedLayoutShowsEveryInstrumentAndSnapshots)
{
    const std::string path = std::string(VANEMARK_SOURCE_DIR) + "/res/Vanemark.cfg";
    const LayoutWindowSize size = ReadWindowSize(path);
    ASSERT_EQ((std::pair{size.cx, size.cy}), (std::pair{278, 82}));
    CPanelCtrl panel;
    panel.SetInstrumentColour(instrument);
    panel.LoadLayout(path);
    Prepare(panel, size.cx, size.cy);
    panel.speed = 287.6;
    for (BarElement& bar : panel.bars)
        bar.value = 0.5;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("panel.png"));
    ASSERT_TRUE(panel.SaveSnapshot(file));
    const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(saved, panel.Image());
    EXPECT_EQ(saved.size(), QSize(size.cx, size.cy));
    EXPECT_FALSE(panel.SaveSnapshot(QStringLiteral("/nonexistent-dir/panel.png")));

    const PanelLayout& layout = panel.Layout();
    // Flap positions as the simulator reports them: combat ~20 %, take-off ~33 %, landing 100 % of full.
    EXPECT_NEAR(layout.combatAngle / layout.fullFlapAngle, 0.20, 0.02);
    EXPECT_NEAR(layout.takeoffAngle / layout.fullFlapAngle, 0.33, 0.02);
    EXPECT_DOUBLE_EQ(layout.landingAngle, layout.fullFlapAngle);
    auto inside = [&](const PixelRect& r) {
        return r.left >= 0 && r.top >= 0 && r.right <= size.cx && r.bottom <= size.cy;
    };
    const PixelRect& stickSquare = layout.stickSquare;
    EXPECT_TRUE(inside({stickSquare.left, stickSquare.top, stickSquare.right + 1, stickSquare.bottom + 1}));
    EXPECT_TRUE(inside(layout.speedBox));
    // Every bar is shown inside the window, apart from the others, its frame on the picture.
    for (std::size_t i = 0; i < BarCount; ++i) {
        const BarSettings& bar = panel.bars[i].settings;
        EXPECT_EQ(bar.show, 1) << barSections[i];
        EXPECT_FALSE(bar.rect.IsEmpty()) << barSections[i];
        EXPECT_TRUE(inside(bar.rect)) << barSections[i];
        EXPECT_TRUE(PixelIs(saved, bar.rect.left, bar.rect.top, instrument)) << barSections[i];
        EXPECT_TRUE(PixelIs(saved, bar.rect.right - 1, bar.rect.bottom - 1, instrument)) << barSections[i];
        for (std::size_t j = 0; j < i; ++j) {
            const PixelRect& o = panel.bars[j].settings.rect;
            const bool overlap = bar.rect.left < o.right && o.left < bar.rect.right && bar.rect.top < o.bottom &&
                                 o.top < bar.rect.bottom;
            EXPECT_FALSE(overlap) << barSections[i] << " overlaps " << barSections[j];
        }
    }
}

TEST(PanelRender, PaintingBeforeTheFirstRedrawShowsTheBackground)
{
    CPanelCtrl panel;
    Prepare(panel, 60, 40);
    panel.backgroundColour = 0x00FF00;
    // Busy, so the resize that rendering delivers draws nothing and there is no picture yet.
    panel.BeginUpdate();
    QImage shown(60, 40, QImage::Format_RGB32);
    shown.fill(Qt::red);
    panel.render(&shown);
    EXPECT_TRUE(panel.Image().isNull());
    EXPECT_EQ(CountOf(shown, 0x00FF00, {0, 0, 60, 40}), 60 * 40);
    panel.EndUpdate();
}
