// A layout file, loaded into a panel and drawn offscreen twice, with ordinary
// and with absurd values. Whatever the file says, every number stays within
// what a screen can hold, no cached image outgrows the panel, and a frame
// never walks millions of pixels.
#include "FuzzCheck.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <string>

using namespace vanemark;

namespace {

constexpr int kReach = 2 * 32767; // a corner plus a size, each as far as a screen reaches
constexpr double kFrameCpuSeconds = 0.25;

bool OnScreen(const PixelRect& r)
{
    return std::ranges::all_of(std::array{r.left, r.top, r.right, r.bottom},
                               [](int v) { return v >= -kReach && v <= kReach; });
}

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "layout";
    static char* argv[] = {name, nullptr};
    [[maybe_unused]] static const QApplication* app =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QApplication(argc, argv));
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
    std::array<double, BarCount> wild{};
    wild.fill(-1e300);
    for (const PanelValues& values : {PanelValues{287.6, -0.34, 20, 8, 0.3, -0.2, {0.6, 0.8, 0.1, -1, 0.2, -0.3, 0}},
                                      PanelValues{1e12, 3, 1e300, -1e300, 1e9, -1e9, wild}}) {
        panel.SetValues(values);
        panel.SetShowTitle(values.speed > 1e6);
        const double start = CpuSeconds();
        const QImage shown = panel.RenderImage();
        FUZZ_CHECK(CpuSeconds() - start < kFrameCpuSeconds);
        FUZZ_CHECK(shown.size() == panel.size());
        const QSize cached = panel.LargestCachedImage();
        FUZZ_CHECK(cached.width() <= shown.width() && cached.height() <= shown.height());
    }
    return 0;
}
