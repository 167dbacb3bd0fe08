// A layout file, loaded into a panel and drawn offscreen twice, with ordinary
// and with absurd values. Whatever the file says, every number stays within
// what a screen can hold and no cached image outgrows the panel. (A frame that
// walks millions of pixels shows as a libFuzzer time-out, and its cost is
// measured in bench/panel, not asserted here.)
#include "FuzzCheck.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

using namespace vanemark;

namespace {

constexpr int kReach = 2 * kScreenReach; // a corner plus a size, each as far as a screen reaches
constexpr double kHuge = 1e300;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool OnScreen(const PixelRect& r)
{
    return std::ranges::all_of(std::array{r.left, r.top, r.right, r.bottom},
                               [](int v) { return v >= -kReach && v <= kReach; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 0;
    [[maybe_unused]] static const QApplication* app =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QApplication(argc, nullptr));
    static const QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("Vanemark.cfg")).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CPanelCtrl panel;
    panel.LoadLayout(path);
    const PanelLayout& layout = panel.Layout();
    FUZZ_CHECK(OnScreen(layout.flapsDial) && OnScreen(layout.stickSquare) && OnScreen(layout.speedBox));
    for (std::size_t i = 0; i < BarCount; ++i) {
        FUZZ_CHECK(OnScreen(panel.Bar(static_cast<BarIndex>(i)).Settings().rect));
    }
    const LayoutWindowSize window = ReadWindowSize(path);
    panel.resize(std::clamp(window.cx, 1, 400), std::clamp(window.cy, 1, 300));
    panel.SetFont(QStringLiteral("Courier New"), 8);
    for (const PanelValues& values :
         {PanelValues{287.6, -0.34, 20, 8, 0.3, -0.2, {0.6, 0.8, 0.1, -1, 0.2, -0.3, 0}},
          PanelValues{1e12, 3, kHuge, -kHuge, kNaN, kHuge, {kHuge, -kHuge, kHuge, -kHuge, kHuge, -kHuge, kHuge}}}) {
        panel.SetValues(values);
        panel.SetShowTitle(values.speed > 1e6);
        const QImage shown = panel.RenderImage();
        const QSize cached = panel.LargestCachedImage();
        FUZZ_CHECK(shown.size() == panel.size());
        FUZZ_CHECK(cached.width() <= shown.width() && cached.height() <= shown.height());
    }
    return 0;
}
