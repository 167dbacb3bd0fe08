// What one frame of the web panel costs: the shipped layout's picture, as the
// window drew it in the demo, encoded as PNG at scale 1 and 2, with the
// layout's background and with it made transparent. Only a cycle that
// changed the picture, with a client connected, pays this.
#include "app/CVanemarkDlg.h"
#include "app/WebPanelOutput.h"
#include "panel/CPanelCtrl.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace vanemark;

namespace {

void BM_WebPanelPicture(benchmark::State& state)
{
    LaunchOptions options;
    options.forceDemo = true;
    CVanemarkDlg window(options);
    window.OnInitDialog();
    window.show();
    window.OnCalc();
    const CPanelCtrl& panel = window.Panel();
    const auto scale = static_cast<int>(state.range(0));
    const bool transparent = state.range(1) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray png =
            WebPanelOutput::Picture(panel.Image(), panel.Colours()[PanelColours::Background], scale, transparent);
        bytes = static_cast<std::size_t>(png.size());
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
    window.RunExitSequence();
}
BENCHMARK(BM_WebPanelPicture)
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->ArgNames({"scale", "transparent"})
    ->Unit(benchmark::kMicrosecond);

} // namespace
