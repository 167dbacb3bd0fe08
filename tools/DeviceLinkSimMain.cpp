// devicelink-sim: a stand-in flight simulator for demos and tests; a
// DeviceLink server, or IL-2 Great Battles, X-Plane, FlightGear or War Thunder.
#include "flightlog/FlightLogReader.h"
#include "tools/DeviceLinkSim.h"
#include "tools/MachineAddress.h"
#include "tools/SimCommandLine.h"
#include "tools/UdpPusher.h"
#include "tools/WarThunderSim.h"
#include "tools/XPlaneSim.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
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

void PrintLine(std::string_view line)
{
    std::cout << line << std::endl;
}

// Until interrupted or --duration is over, telling `setSilent` (when given)
// whether --silent-after and --resume-after want the stand-in quiet.
void RunFor(const vanemark::SimCommandLine& commandLine, const std::function<void(bool)>& setSilent)
{
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const vanemark::DeviceLinkSimOptions& o = commandLine.options;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (interrupted != 0 || (commandLine.duration >= 0.0 && seconds >= commandLine.duration)) {
            return;
        }
        if (setSilent) {
            setSilent(o.silentAfter >= 0.0 && seconds >= o.silentAfter &&
                      (o.resumeAfter < 0.0 || seconds < o.silentAfter + o.resumeAfter));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PrintReplay(const vanemark::SimCommandLine& commandLine)
{
    if (const auto& replay = commandLine.options.replay) {
        std::cout << "devicelink-sim: replaying " << replay->Rows() << " rows (" << replay->LengthMs() / 1000.0
                  << " s) from " << commandLine.replayPath << (commandLine.loop ? " in a loop" : "") << std::endl;
    }
}

int ServeDeviceLink(vanemark::SimCommandLine& commandLine)
{
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
    sim.SetLog(PrintLine);
    std::string error;
    if (sim.Start(error) != 0) {
        std::cerr << "devicelink-sim: " << error << std::endl;
        return 1;
    }
    PrintReplay(commandLine);
    std::cout << "devicelink-sim: answering on " << options.host << ":" << sim.Port() << std::endl;
    RunFor(commandLine, nullptr);
    sim.Stop();
    std::cout << "devicelink-sim: " << sim.Requests() << " requests, " << sim.Replies() << " replies" << std::endl;
    return 0;
}

// Starts the stand-in, serves for the program's time and stops it; `said`
// prints what it does once started, then what it did.
template <typename Sim>
int Serve(Sim& sim, const vanemark::SimCommandLine& commandLine, const std::function<void(bool)>& setSilent,
          const std::function<void(bool done)>& said)
{
    if (commandLine.options.verbose) {
        sim.SetLog(PrintLine);
    }
    std::string error;
    if (sim.Start(error) != 0) {
        std::cerr << "devicelink-sim: " << error << std::endl;
        return 1;
    }
    PrintReplay(commandLine);
    std::cout << "devicelink-sim: " << vanemark::SimCommandLine::Name(commandLine.protocol) << " ";
    said(false);
    RunFor(commandLine, setSilent);
    sim.Stop();
    std::cout << "devicelink-sim: ";
    said(true);
    return 0;
}

int ServeStandIn(const vanemark::SimCommandLine& commandLine)
{
    using vanemark::SimProtocol;
    const vanemark::DeviceLinkSimOptions& o = commandLine.options;
    switch (commandLine.protocol) {
    case SimProtocol::Il2:
    case SimProtocol::FlightGear: {
        const auto feed =
            commandLine.protocol == SimProtocol::Il2 ? vanemark::PushFeed::Il2 : vanemark::PushFeed::FlightGear;
        vanemark::UdpPusher sim({feed, o.host, o.port, commandLine.hz, o.replay});
        return Serve(
            sim, commandLine, [&sim](bool silent) { sim.SetSilent(silent); },
            [&](bool done) {
                if (done) {
                    std::cout << sim.Sent() << " datagrams sent" << std::endl;
                } else {
                    std::cout << "sending to " << o.host << ":" << o.port << ", " << commandLine.hz
                              << " frames a second" << std::endl;
                }
            });
    }
    case SimProtocol::XPlane: {
        vanemark::XPlaneSim sim({o.host, o.port, commandLine.rrefZero ? '\0' : ',', o.replay});
        return Serve(
            sim, commandLine, [&sim](bool silent) { sim.SetSilent(silent); },
            [&](bool done) {
                if (done) {
                    std::cout << sim.Replies() << " replies" << std::endl;
                } else {
                    std::cout << "answering on " << o.host << ":" << sim.Port() << std::endl;
                }
            });
    }
    default: {
        vanemark::WarThunderSim sim({o.host, o.port, o.replay});
        return Serve(
            sim, commandLine, [&sim](bool silent) { sim.SetInBattle(!silent); },
            [&](bool done) {
                if (done) {
                    std::cout << sim.Requests() << " requests" << std::endl;
                } else {
                    std::cout << "answering on http://" << o.host << ":" << sim.Port() << std::endl;
                }
            });
    }
    }
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
    return commandLine.protocol == vanemark::SimProtocol::DeviceLink ? ServeDeviceLink(commandLine)
                                                                     : ServeStandIn(commandLine);
}
