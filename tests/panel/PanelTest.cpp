#include "panel/CPanelCtrl.h"
#include "panel/GdiCanvas.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace vanemark;

namespace {

// A panel that draws nothing but the speed text in the given box.
void ShowSpeedOnly(CPanelCtrl& panel, const PixelRect& speedBox, int w = 200, int h = 140)
{
    panel.SetLayout({.flapsDial = {}, .stickSquare = {-500, -500, -400, -400}, .speedBox = speedBox});
    panel.SetFont(QStringLiteral("Courier New"), 8);
    panel.resize(w, h);
}

QImage Filled(int w, int h, Colour colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ToQColor(colour));
    return image;
}

} // namespace

// Whether the picture changes: from a value to absent and back is a change,
// the same again is none, and so is a move of less than a pixel.
TEST(Panel, SetValuesTellsWhetherThePictureChanged)
{
    CPanelCtrl panel;
    panel.LoadLayout(VANEMARK_SOURCE_DIR "/res/Vanemark.cfg");
    PanelValues v;
    const std::pair<double*, double> fields[] = {{&v.speed, 120.0},  {&v.flaps, 0.75},  {&v.bank, 31.0},
                                                 {&v.pitch, 21.0},   {&v.stickX, 0.75}, {&v.stickY, 0.75},
                                                 {&v.bars[0], 0.75}, {&v.bars[6], 0.75}};
    for (const auto& [field, value] : fields) {
        for (const double shown : {value, std::numeric_limits<double>::quiet_NaN(), value}) {
            *field = shown;
            EXPECT_TRUE(panel.SetValues(v)) << field - &v.speed;
            EXPECT_FALSE(panel.SetValues(v)) << field - &v.speed;
        }
        *field = value * (1.0 + 1e-9);
        EXPECT_FALSE(panel.SetValues(v)) << field - &v.speed;
    }
}

// The same rule for the hand: a tremor under a pixel is no change. In the
// shipped layout the stick moves 39 pixels per unit, the power bar's edge 38.
TEST(Panel, SetHandMarksTellsWhetherThePictureChanged)
{
    CPanelCtrl panel;
    panel.LoadLayout(VANEMARK_SOURCE_DIR "/res/Vanemark.cfg");
    constexpr double kNone = HandMarks::kNone;
    EXPECT_EQ(HandMarks{}, HandMarks{});
    EXPECT_FALSE(panel.SetHandMarks({}));
    HandMarks m;
    const struct {
        double* field;
        double value;
        bool changes;
        bool any;
    } rows[] = {
        {&m.stickX, 0.5, false, false}, // the ring needs both
        {&m.stickY, 0.5, true, true},
        {&m.stickY, 0.5 + 0.2 / 39, false, true},
        {&m.stickY, 0.5 + 1.0 / 39, true, true},
        {&m.stickX, kNone, true, false},
        {&m.bars[PowerBar], 0.0, true, true},
        {&m.bars[PowerBar], 0.01, false, true},
        {&m.bars[PowerBar], 0.03, true, true},
        {&m.bars[RudderBar], -0.5, true, true},
        {&m.bars[RudderBar], -0.51, false, true},
        {&m.bars[PowerBar], kNone, true, true},
        {&m.bars[RudderBar], kNone, true, false},
    };
    for (const auto& row : rows) {
        *row.field = row.value;
        const HandMarks copy = m; // NaN fields alike
        EXPECT_EQ(panel.SetHandMarks(copy), row.changes) << &row - rows;
        EXPECT_EQ(panel.Hand(), m) << &row - rows;
        EXPECT_EQ(m.Any(), row.any) << &row - rows;
    }
}

TEST(Panel, SpeedTextIsExactlyRightAlignedText)
{
    CPanelCtrl panel;
    using settings::SpeedUnit;
    for (const auto& [speed, text, box, unit] :
         {std::tuple{123.9, "123 kmh", PixelRect{20, 60, 180, 110}, SpeedUnit::Kmh},
          {-3.7, "-3 kmh", PixelRect{20, 60, 180, 110}, SpeedUnit::Kmh},
          {123.0, "123 kmh", PixelRect{20, 60, 50, 66}, SpeedUnit::Kmh},
          {200.0, "124 mph", PixelRect{20, 60, 180, 110}, SpeedUnit::Mph},
          // Far beyond the panel on the left and below: only the part on it is kept.
          {42.0, "22 kts", PixelRect{-30000, 60, 100, 30000}, SpeedUnit::Kts}}) {
        ShowSpeedOnly(panel, box);
        panel.SetSpeedUnit(unit);
        panel.SetValues({.speed = speed});
        QImage expected = Filled(200, 140, panel.Colours()[PanelColours::Background]);
        QPainter painter(&expected);
        painter.setFont(panel.PanelFont());
        painter.setPen(ToQColor(panel.Colours()[PanelColours::Instruments]));
        painter.drawText(QRect(box.left, box.top, box.Width(), box.Height()), Qt::AlignRight | Qt::AlignTop, text);
        painter.end();
        EXPECT_EQ(panel.RenderImage(), expected) << text;
    }
}

TEST(Panel, MoreSpeedsThanTheCacheKeepsStayRight)
{
    // About 260 texts of the shipped speed box fit; then earlier ones come again.
    CPanelCtrl cached;
    ShowSpeedOnly(cached, {134, 64, 206, 78}, 278, 82);
    for (int i = 0; i < 310; ++i) {
        cached.SetValues({.speed = i < 300 ? i : (i - 300) * 30.0});
        CPanelCtrl fresh;
        ShowSpeedOnly(fresh, {134, 64, 206, 78}, 278, 82);
        fresh.SetValues(cached.Values());
        ASSERT_EQ(cached.RenderImage(), fresh.RenderImage()) << "at " << cached.Values().speed << " km/h";
    }
}

TEST(Panel, TitleStripAnswersTheCloseBoxOnlyWhenShownAndFontDefaults)
{
    CPanelCtrl panel;
    panel.SetFont(QString(), -4); // no face and no size: the defaults
    EXPECT_EQ(std::tuple(panel.FontFace(), panel.FontSize(), panel.MinimumWidth()),
              std::tuple(QStringLiteral("Courier New"), 10, 2 * panel.SpaceWidth()));
    panel.SetFont(QStringLiteral("Courier New"), 8);
    panel.setWindowTitle(QStringLiteral("Vanemark v2.0.0"));
    panel.setGeometry(100, 200, 278, 82);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QPoint origin = panel.mapToGlobal(QPoint(0, 0));
    const int lh = panel.LineHeight();
    const QPoint insideBox = origin + QPoint(278 - 2 - (lh - 4) / 2, lh / 2);
    EXPECT_EQ(panel.HitTestClose(insideBox), 0);
    panel.SetShowTitle(true);
    EXPECT_EQ(panel.HitTestClose(insideBox), CPanelCtrl::kCloseHitCode);
    for (const QPoint outside : {QPoint(10, lh / 2), QPoint(278 - 4, lh + 2), QPoint(278, lh / 2)}) {
        EXPECT_EQ(panel.HitTestClose(origin + outside), 0) << outside.x() << "," << outside.y();
    }
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Bf 109"));
    EXPECT_EQ(panel.TitleText(), QStringLiteral("Vanemark v2.0.0"));
    panel.SetOwner(&owner);
    EXPECT_EQ(panel.TitleText(), QStringLiteral("Bf 109"));
}

TEST(Panel, ResizeDrawsAFreshImageThatPaintingCopies)
{
    CPanelCtrl panel;
    ShowSpeedOnly(panel, {}, 140, 140);
    panel.SetColours({{0x0000FF}});
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.Refresh();
    // The resize itself redraws, at the new size, and every new pixel is painted.
    panel.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(panel.Image(), Filled(300, 200, 0x0000FF));
    EXPECT_EQ(panel.grab().toImage().convertToFormat(QImage::Format_RGB32), panel.Image());
    EXPECT_FALSE(panel.SaveSnapshot(QStringLiteral("/nonexistent-dir/panel.png")));
}
