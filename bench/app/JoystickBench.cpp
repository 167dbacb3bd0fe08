// What the pilot's joysticks add to a cycle: reading three devices (a stick,
// a throttle and pedals, nine bound axes) into a frame, and the wake-ups per
// second of the whole process while a window shows them, against the same
// window with nothing bound.
#include "../../tests/support/VirtualJoystick.h"
#include "app/CVanemarkDlg.h"
#include "app/JoystickFeed.h"
#include "config/HandBindings.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using namespace vanemark;
using settings::HandControl;

namespace {

struct ThreeDevices {
    test::VirtualJoystick stick{"Bench Stick", 3, 0x5701};
    test::VirtualJoystick throttle{"Bench Throttle", 3, 0x5702};
    test::VirtualJoystick pedals{"Bench Pedals", 3, 0x5703};

    settings::HandBindings Bindings() const
    {
        settings::HandBindings hands;
        const auto bind = [&](HandControl control, const test::VirtualJoystick& device, int axis) {
            hands.Axis(control) = {{device.Guid(), device.Name()}, axis, false};
        };
        bind(HandControl::StickX, stick, 0);
        bind(HandControl::StickY, stick, 1);
        bind(HandControl::AileronTrim, stick, 2);
        bind(HandControl::Power, throttle, 0);
        bind(HandControl::Prop, throttle, 1);
        bind(HandControl::ElevatorTrim, throttle, 2);
        bind(HandControl::Rudder, pedals, 0);
        bind(HandControl::Brakes, pedals, 1);
        bind(HandControl::RudderTrim, pedals, 2);
        return hands;
    }
};

void BM_JoystickFillThreeDevices(benchmark::State& state)
{
    ThreeDevices devices;
    JoystickFeed feed;
    feed.SetBindings(devices.Bindings());
    Frame frame;
    std::int16_t position = 0;
    for (auto _ : state) {
        // A hand that moves, as in flight: SDL has a new reading to take in.
        position = static_cast<std::int16_t>(position + 97);
        devices.stick.SetAxis(0, position);
        feed.Fill(frame, 25);
        benchmark::DoNotOptimize(frame.values.stickX);
    }
}
BENCHMARK(BM_JoystickFillThreeDevices);

// Voluntary context switches of every thread of the process: each is a
// thread going to sleep, so each is one wake-up later.
long ContextSwitches()
{
    long total = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with("voluntary_ctxt_switches:")) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    return total;
}

// A window against no simulator at interval range(0) ms, with the three
// devices' axes bound (range(1) = 1), one of their buttons bound to a
// command (2) or nothing bound (0), listening to DeviceLink alone or, with
// range(2) = 1, to every simulator at once (Automatic), run for three seconds.
void BM_WindowWakeups(benchmark::State& state)
{
    const auto interval = static_cast<int>(state.range(0));
    const bool bound = state.range(1) == 1;
    const bool button = state.range(1) == 2;
    ThreeDevices devices;
    std::string ini = "[settings]\nserver=9 127.0.0.1\ninterval=" + std::to_string(interval) + "\n";
    if (state.range(2) == 1) {
        // Ports where nothing answers, so the window only waits and asks.
        ini += "simulator=auto\nil2gb port=47322\nflightgear port=47505\nxplane port=9\nwarthunder port=9\n";
    }
    if (bound) {
        const settings::HandBindings hands = devices.Bindings();
        for (std::size_t i = 0; i < settings::kHandControlCount; ++i) {
            ini += "hand " + std::string(settings::HandControlKeyName(static_cast<HandControl>(i))) + "=" +
                   settings::AxisBindingText(hands.axes[i]) + "\n";
        }
    }
    if (button) {
        ini += "show hide button=" + settings::ButtonBindingText({devices.Bindings().axes[0].device, 0}) + "\n";
    }
    std::ofstream("Vanemark.ini") << ini;
    auto window = std::make_unique<CVanemarkDlg>();
    window->OnInitDialog();
    window->show();
    constexpr int kRunMs = 3000;
    for (auto _ : state) {
        const long before = ContextSwitches();
        const auto start = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(kRunMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["wakeups_per_s"] = static_cast<double>(ContextSwitches() - before) / seconds;
    }
    window->RunExitSequence();
    std::filesystem::remove("Vanemark.ini");
}
BENCHMARK(BM_WindowWakeups)
    ->Args({500, 0, 0})
    ->Args({500, 1, 0})
    ->Args({500, 2, 0})
    ->Args({25, 0, 0})
    ->Args({25, 1, 0})
    ->Args({500, 0, 1})
    ->Args({25, 0, 1})
    ->ArgNames({"interval", "joysticks", "automatic"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
