// The cost a recording adds to one window cycle: formatting one row, and the
// file write that every fortieth row at 25 ms pays for the others.
#include "flightlog/FlightRecorder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using vanemark::FlightRecorder;

void BM_RecordRow(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "vanemark-bench-flight.csv";
    FlightRecorder recorder;
    auto now = FlightRecorder::Clock::now();
    if (!recorder.Open(path, now)) {
        state.SkipWithError(recorder.Error().c_str());
        return;
    }
    // Values as the server prints them, changing every row as in flight.
    vanemark::FlightValues values{312.45, 0.73, -0.34, 0.04, 0.65, -12.87, 4.21, 0.13, -0.44, -1.0, 0.1, -0.05, 0.0};
    // A stick and a throttle bound, the rest of the hand without an axis.
    vanemark::FlightHand hand = vanemark::NoFlightHand();
    hand[0] = 0.12;
    hand[1] = -0.43;
    hand[3] = 0.72;
    for (auto _ : state) {
        now += std::chrono::milliseconds(25);
        values[0] += 0.01;
        hand[0] += 0.001;
        benchmark::DoNotOptimize(recorder.Record(values, "Fighter Mk.V/2b", hand, now));
    }
    recorder.Close();
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecordRow);

} // namespace

BENCHMARK_MAIN();
