// devicelink-sim: a stand-in DeviceLink server for demos and tests.
#include "flightlog/FlightLogReader.h"
#include "tools/DeviceLinkSim.h"
#include "tools/MachineAddress.h"
#include "tools/SimCommandLine.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnSignal(int /*signal*/)
{
    interrupted = 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    vanemark::SimCommandLine commandLine;
    std::string error;
    if (commandLine.Parse(args, error) != 0) {
        std::cerr << "devicelink-sim: " << error << "\n" << vanemark::SimCommandLine::Usage();
        return 1;
    }
    if (commandLine.help) {
        std::cout << vanemark::SimCommandLine::Usage();
        return 0;
    }
    if (!commandLine.replayPath.empty()) {
        std::vector<vanemark::FlightSample> rows;
        if (!vanemark::ReadFlightLog(commandLine.replayPath, rows, error)) {
            std::cerr << "devicelink-sim: " << error << std::endl;
            return 1;
        }
        commandLine.options.replay =
            std::make_shared<vanemark::FlightReplay>(std::move(rows), commandLine.loop, commandLine.rate);
    }
    vanemark::DeviceLinkSimOptions& options = commandLine.options;
    if (options.host.empty()) { // as the simulator does without a host of its own
        options.host = vanemark::MachineAddress();
        if (options.host.empty()) {
            options.host = "127.0.0.1";
            std::cout << "devicelink-sim: this machine has no network address; listening on 127.0.0.1" << std::endl;
        }
    }
    if (options.port > vanemark::DeviceLinkSim::kMaxPort) {
        std::cout << "devicelink-sim: port " << options.port << " is above " << vanemark::DeviceLinkSim::kMaxPort
                  << ", the highest the server takes; listening on " << vanemark::DeviceLinkSim::kMaxPort << std::endl;
    }
    vanemark::DeviceLinkSim sim(options);
    sim.SetLog([](std::string_view line) { std::cout << line << std::endl; });
    if (sim.Start(error) != 0) {
        std::cerr << "devicelink-sim: " << error << std::endl;
        return 1;
    }
    if (const auto& replay = options.replay) {
        std::cout << "devicelink-sim: replaying " << replay->Rows() << " rows (" << replay->LengthMs() / 1000.0
                  << " s) from " << commandLine.replayPath << (commandLine.loop ? " in a loop" : "") << std::endl;
    }
    std::cout << "devicelink-sim: answering on " << options.host << ":" << sim.Port() << std::endl;

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(commandLine.duration);
    while (interrupted == 0 && (commandLine.duration < 0.0 || std::chrono::steady_clock::now() < end)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    sim.Stop();
    std::cout << "devicelink-sim: " << sim.Requests() << " requests, " << sim.Replies() << " replies" << std::endl;
    return 0;
}
