// One redraw of the shipped layout with every instrument moving, as the
// calculation cycle does it at its shortest interval.
#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <string>

using namespace vanemark;

namespace {

const std::string layoutPath = std::string(VANEMARK_SOURCE_DIR) + "/res/Vanemark.cfg";

void Configure(CPanelCtrl& panel)
{
    panel.SetColours(PanelColours{});
    panel.LoadLayout(layoutPath);
    panel.SetFont(QStringLiteral("Courier New"), 8);
    const LayoutWindowSize size = ReadWindowSize(layoutPath);
    panel.resize(size.cx, size.cy);
    panel.setWindowTitle(QStringLiteral("Vanemark v2.0.0"));
}

void Move(CPanelCtrl& panel, double& phase, bool withHand)
{
    const double c = std::cos(phase);
    phase += 0.1;
    PanelValues values;
    values.speed = 300.0 + 200.0 * c;
    values.flaps = c;
    values.bank = 180.0 * c;
    values.pitch = 90.0 * c;
    values.stickX = c;
    values.stickY = 1.0 - c;
    values.bars.fill(c);
    panel.SetValues(values);
    if (withHand) {
        // A quarter turn out of step with the values: a ring and seven ticks, cut where they cross a fill.
        const double s = std::sin(phase);
        HandMarks hand;
        hand.stickX = s;
        hand.stickY = -s;
        hand.bars.fill(s);
        panel.SetHandMarks(hand);
    }
}

// Moves every value (and the hand's marks) and redraws, once per iteration.
void RunRedraws(benchmark::State& state, CPanelCtrl& panel, bool withHand = false)
{
    double phase = 0.0;
    panel.Refresh();
    for (auto _ : state) {
        Move(panel, phase, withHand);
        panel.Refresh();
        benchmark::DoNotOptimize(panel.Image().constBits());
    }
}

void BM_RedrawShippedLayout(benchmark::State& state)
{
    CPanelCtrl panel;
    Configure(panel);
    panel.SetShowTitle(state.range(0) != 0);
    RunRedraws(state, panel);
}
BENCHMARK(BM_RedrawShippedLayout)->Arg(0)->Arg(1)->ArgName("title")->Unit(benchmark::kMicrosecond);

// The same with the pilot's hand marked apart from every value.
void BM_RedrawShippedLayoutWithHand(benchmark::State& state)
{
    CPanelCtrl panel;
    Configure(panel);
    RunRedraws(state, panel, true);
}
BENCHMARK(BM_RedrawShippedLayoutWithHand)->Unit(benchmark::kMicrosecond);

// A layout at the edge of what is read: a dial, a stick square and a speed
// box hundreds of times the window, centred on it or covering it. Only the part on the
// window costs anything, so the figure is bounded by the window's size, not the file's numbers.
void BM_RedrawFarLayout(benchmark::State& state)
{
    const QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("far.cfg")).toStdString();
    std::ofstream(path) << "[flaps]\nstart=139,41\nlen=32767\n[stick]\ntop=-16244,-16342\nsize=32767\n"
                           "[speed]\ntop=-32000,-32000\nsize=32767,32767\n";
    CPanelCtrl panel;
    Configure(panel);
    panel.LoadLayout(path);
    RunRedraws(state, panel);
}
BENCHMARK(BM_RedrawFarLayout)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
