// The whole panel for a dozen value sets, pixel for pixel against golden/*.png;
// VANEMARK_UPDATE_GOLDEN=1 rewrites them (look at each before committing). The
// only text is in the panel font, which resolves to the Liberation Mono the build installs.
#include "panel/CPanelCtrl.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace vanemark;

namespace {

// Windows draws the same shapes, but its text from the same font lands a pixel
// or two elsewhere (other hinting, glyph advances rounded differently): its
// pictures are its own, and differ from these only inside the text.
#if defined(_WIN32)
const QString kGoldenDir = QStringLiteral(VANEMARK_SOURCE_DIR "/tests/panel/golden/windows/");
#else
const QString kGoldenDir = QStringLiteral(VANEMARK_SOURCE_DIR "/tests/panel/golden/");
#endif
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kHuge = 1e300;
// Layout files, from the source folder; a missing one gives the default layout.
constexpr const char* kShipped = "res/Vanemark.cfg";
constexpr const char* kBars = "tests/panel/golden/bars.cfg";
constexpr const char* kDefault = "tests/panel/golden/none.cfg";
constexpr const char* kNoFlaps = "tests/panel/golden/no-flaps.cfg";

struct Case {
    const char* name;
    const char* layout;
    const char* title; // nullptr: no title strip
    PanelValues values;
    int points = 8;
    PanelColours colours = {};
    HandMarks hand = {};
};

std::array<double, BarCount> All(double v)
{
    std::array<double, BarCount> bars{};
    bars.fill(v);
    return bars;
}

const std::array<double, BarCount> kWild{kHuge, -kHuge, kHuge, -kHuge, kHuge, -kHuge, kHuge};
const PanelColours kGrey{{0x303030, 0x2040FF, 0xFFFFFF, 0x00FFFF, 0xFF00FF, 0xFF8000}};

// In this order one panel meets each kind of change alone at least once:
// title on, the same text in a new font, new colours, a new title text.
const Case kCases[] = {
    {"shipped-rest", kShipped, nullptr, {}},
    {"shipped-nan", kShipped, "Vanemark v2.0.0", {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, All(kNaN)}},
    {"default-large-font", kDefault, "Vanemark v2.0.0", {.speed = -3.7}, 10},
    {"default-stick-corner", kDefault, nullptr, {-3.7, 1, 0, 30, 1, 1, {}}},
    {"default-banked-grey", kDefault, "Vanemark v2.0.0", {-3.7, 0.2, 90, 0, 0, 0, {}}, 8, kGrey},
    {"bars-half", kBars, nullptr, {.speed = 123.9, .flaps = 0, .bars = All(0.5)}},
    {"bars-zero", kBars, "Vanemark v2.0.0", {.speed = 123, .bars = All(0)}},
    {"bars-negative", kBars, "Bf 109", {0, -1, -45, -30, -0.5, 0.5, All(-0.5)}},
    {"bars-overshoot", kBars, nullptr, {1e12, 3, 0, 0, 0, 0, {1.2, 1.5, 1.2, 1.5, -1.5, 1.5, 1.5}}},
    {"shipped-cruise", kShipped, "Bf 109", {287.6, -0.34, 20, 8, 0.3, -0.2, {0.6, 0.8, 0.1, -1, 0.2, -0.3, 0.05}}},
    {"shipped-full", kShipped, "Vanemark v2.0.0", {9999, 1, 0, 90, 1, -1, All(1)}},
    {"shipped-empty", kShipped, nullptr, {-250, -1, 180, -90, -1, 1, All(-1)}},
    {"shipped-huge", kShipped, nullptr, {1e12, kHuge, kHuge, -kHuge, 1e9, -1e9, kWild}},
    // Ring and ticks away from the values, over the fill and over the empty
    // part, on centred bars, on the brakes whose value is absent; none on rtrim.
    {"shipped-hand",
     kShipped,
     nullptr,
     {183.4, 0.3, -15, 5, -0.4, 0.3, {0.5, 0.7, 0.2, kNaN, -0.4, 0.3, 0}},
     8,
     {},
     {0.2, -0.35, {0.8, 0.2, -0.3, -0.6, -0.1, 0.6, kNaN}}},
    {"no-flaps", kNoFlaps, nullptr, {250, 0.5, 20, 10, 0.3, -0.3, All(0.5)}},
};

void Prepare(CPanelCtrl& panel, const Case& c)
{
    const std::string path = std::string(VANEMARK_SOURCE_DIR "/") + c.layout;
    panel.SetColours(c.colours);
    panel.LoadLayout(path);
    panel.SetFont(QStringLiteral("Courier New"), c.points);
    panel.SetShowTitle(c.title != nullptr);
    panel.setWindowTitle(QString::fromLatin1(c.title != nullptr ? c.title : ""));
    panel.SetValues(c.values);
    panel.SetHandMarks(c.hand);
    const LayoutWindowSize size = ReadWindowSize(path);
    panel.resize(size.cx, size.cy);
}

// Empty when equal, else where and how the pictures first differ.
std::string Difference(const QImage& shown, const QImage& expected)
{
    if (shown.size() != expected.size()) {
        return expected.isNull() ? "no golden picture; run with VANEMARK_UPDATE_GOLDEN=1 and check it" : "sizes differ";
    }
    for (int i = 0; i < shown.width() * shown.height(); ++i) {
        const QPoint p(i % shown.width(), i / shown.width());
        if (shown.pixel(p) != expected.pixel(p)) {
            return QStringLiteral("first differing pixel (%1, %2): %3, expected %4")
                .arg(p.x())
                .arg(p.y())
                .arg(QColor(shown.pixel(p)).name(), QColor(expected.pixel(p)).name())
                .toStdString();
        }
    }
    return {};
}

} // namespace

TEST(PanelGolden, EveryValueSetDrawsItsPicture)
{
    const bool update = qEnvironmentVariableIntValue("VANEMARK_UPDATE_GOLDEN") == 1;
    QTemporaryDir scratch;
    // One panel goes through every case, so its cached texts and shapes meet
    // every kind of change: values, layout, size, font, colours, title.
    CPanelCtrl reused;
    ASSERT_EQ(reused.logicalDpiY(), 96) << "the golden pictures are drawn at 96 dpi";
    for (const Case& c : kCases) {
        const QString file = QString::fromLatin1(c.name) + QStringLiteral(".png");
        Prepare(reused, c);
        ASSERT_TRUE(reused.SaveSnapshot(scratch.filePath(file)));
        const QImage shown = QImage(scratch.filePath(file)).convertToFormat(QImage::Format_RGB32);
        CPanelCtrl fresh;
        Prepare(fresh, c);
        EXPECT_EQ(Difference(shown, fresh.RenderImage()), "") << c.name << ": a reused panel differs from a fresh one";
        if (update) {
            ASSERT_TRUE(fresh.SaveSnapshot(kGoldenDir + file));
            continue;
        }
        const QImage golden = QImage(kGoldenDir + file).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(Difference(shown, golden), "") << "value set " << c.name;
    }
}

// The window enlarges the 1x picture by a whole factor, without smoothing:
// pixel (x, y) at scale n is the golden 1x pixel (x / n, y / n).
TEST(PanelGolden, EveryScaleIsTheGoldenPictureInSquareBlocks)
{
    const Case& c = kCases[4]; // title strip, every gauge, non-default colours
    const QImage golden =
        QImage(kGoldenDir + QLatin1String(c.name) + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    for (const int scale : {2, 3, 4}) {
        CPanelCtrl panel;
        Prepare(panel, c);
        panel.SetScale(scale);
        panel.resize(panel.size() * scale);
        QImage expected(golden.size() * scale, QImage::Format_RGB32);
        for (int i = 0; i < expected.width() * expected.height(); ++i) {
            const QPoint p(i % expected.width(), i / expected.width());
            expected.setPixel(p, golden.pixel(p.x() / scale, p.y() / scale));
        }
        EXPECT_EQ(Difference(panel.RenderImage(), expected), "") << "scale " << scale;
    }
}
