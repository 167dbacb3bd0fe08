#pragma once

#include "app/Frame.h"
#include "app/FrameOutput.h"

#include <cstdint>
#include <vector>

namespace vanemark {

// Where each cycle's frame comes from and where it goes. Feeds fill the
// frame in the order they were added, so a later feed (the joystick) adds
// to what an earlier one (the simulator or the demo) gave; every output
// then takes the finished frame, also in order. Holds neither: the
// application owns them and wires them here once.
class FrameRoute {
public:
    void AddFeed(Feed& feed) { feeds.push_back(&feed); }
    void AddOutput(FrameOutput& output) { outputs.push_back(&output); }

    void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) const
    {
        for (Feed* feed : feeds) {
            feed->Fill(frame, msSincePreviousCycle);
        }
    }
    void Deliver(const Frame& frame, std::uint32_t nowMs) const
    {
        for (FrameOutput* output : outputs) {
            output->Take(frame, nowMs);
        }
    }

private:
    std::vector<Feed*> feeds;
    std::vector<FrameOutput*> outputs;
};

} // namespace vanemark
