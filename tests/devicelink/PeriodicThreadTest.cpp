#include "devicelink/PeriodicThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace vanemark {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

TEST(PeriodicThread, TicksOnAGridWithoutBurstsOrOverlap)
{
    std::mutex mutex;
    std::vector<Clock::time_point> starts;
    std::atomic<int> running{0};
    std::atomic<int> maxRunning{0};
    {
        PeriodicThread thread(10ms, [&] {
            const int now = running.fetch_add(1) + 1;
            maxRunning.store(std::max(maxRunning.load(), now));
            {
                std::lock_guard lock(mutex);
                starts.push_back(Clock::now());
                // Every fifth tick overruns three periods.
                if (starts.size() % 5 == 0) {
                    std::this_thread::sleep_for(35ms);
                }
            }
            running.fetch_sub(1);
            return true;
        });
        std::this_thread::sleep_for(400ms);
    }
    std::lock_guard lock(mutex);
    ASSERT_GE(starts.size(), 5u);
    // Five ticks take 80 ms when the deadlines missed by an overrun are
    // skipped, 50 ms when they are made up in a burst: about 25 or 40 ticks.
    EXPECT_LE(starts.size(), 32u);
    EXPECT_EQ(maxRunning.load(), 1);
    for (std::size_t i = 1; i < starts.size(); ++i) {
        EXPECT_GE(starts[i] - starts[i - 1], i % 5 == 0 ? 35ms : 0ms);
    }
}

} // namespace
} // namespace vanemark
