#pragma once

#include "tools/DeviceLinkSim.h"

#include <span>
#include <string>
#include <string_view>

namespace vanemark {

// The options of the devicelink-sim program.
struct SimCommandLine {
    DeviceLinkSimOptions options{.host = {}}; // no host: the machine's network address
    double duration = -1.0;                   // seconds until the program ends by itself; negative: until interrupted
    bool help = false;
    std::string replayPath; // a flight recording to answer with; empty: none
    bool loop = false;      // replay round and round
    double rate = 1.0;      // replay speed, times the recorded one
    bool rateGiven = false; // --rate 1 without a replay is as wrong as any other

    // 0, or -1 with a message naming the offending argument.
    int Parse(std::span<const std::string_view> args, std::string& error);
    static const char* Usage();
};

} // namespace vanemark
