// Cost of one calculation cycle of the running window: the values from the
// client's cache into the panel, and the redraw that follows. The whole-program
// figures (CPU share and memory over a minute) come from measure-load.sh.
#include "app/AppEvents.h"
#include "app/CVanemarkDlg.h"
#include "devicelink/DeviceLinkClient.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vanemark;

namespace {

std::unique_ptr<CVanemarkDlg> MakeWindow(bool demo, bool record = false)
{
    LaunchOptions options;
    options.forceDemo = demo;
    if (record) {
        options.recordPath = "flight.csv";
    }
    auto window = std::make_unique<CVanemarkDlg>(options);
    window->OnInitDialog();
    // The cycles here are driven by the benchmark, not by the client's timer.
    window->Link().Client().Stop();
    window->show();
    return window;
}

void BM_OnCalcLive(benchmark::State& state)
{
    auto window = MakeWindow(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(window->OnCalc());
    }
}
BENCHMARK(BM_OnCalcLive);

void BM_CycleWithRedraw(benchmark::State& state)
{
    auto window = MakeWindow(state.range(0) != 0, state.range(1) != 0);
    // The same path as a cycle posted by the client: the values, the redraw
    // when they changed, and the paint.
    for (auto _ : state) {
        CycleEvent cycle;
        QCoreApplication::sendEvent(&window->Link(), &cycle);
        QCoreApplication::processEvents();
    }
}
// Recording runs in the demo, which records a row every cycle without a server.
BENCHMARK(BM_CycleWithRedraw)->Args({0, 0})->Args({1, 0})->Args({1, 1})->ArgNames({"demo", "record"});

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The shipped layout and key table, in a folder of their own.
    QTemporaryDir dir;
    const QString res = QStringLiteral(VANEMARK_SOURCE_DIR "/res/");
    QFile::copy(res + "Vanemark.cfg", dir.filePath("Vanemark.cfg"));
    QFile::copy(res + "dlkeys.ini", dir.filePath("dlkeys.ini"));
    QDir::setCurrent(dir.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
