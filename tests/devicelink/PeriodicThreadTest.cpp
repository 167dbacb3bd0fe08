#include "devicelink/PeriodicThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace vanemark {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

TEST(PeriodicThread, TicksOnAGridAndSkipsWhatAnOverrunMissed)
{
    std::vector<Clock::time_point> starts; // read after the join
    {
        PeriodicThread thread(10ms, [&starts] {
            starts.push_back(Clock::now());
            if (starts.size() % 5 == 0) { // every fifth tick overruns three periods
                std::this_thread::sleep_for(35ms);
            }
            return true;
        });
        std::this_thread::sleep_for(400ms);
    }
    ASSERT_GE(starts.size(), 5u);
    // Five ticks take 80 ms when the deadlines missed by an overrun are
    // skipped, 50 ms when they are made up in a burst: about 25 or 40 ticks.
    EXPECT_LE(starts.size(), 32u);
    for (std::size_t i = 5; i < starts.size(); i += 5) {
        EXPECT_GE(starts[i] - starts[i - 1], 35ms);
    }
}

} // namespace
} // namespace vanemark
