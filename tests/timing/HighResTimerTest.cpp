#include "timing/HighResTimer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace vanemark {
namespace {

struct FakeCounter final : CounterSource {
    explicit FakeCounter(std::uint64_t f) : frequency(f) {}
    std::uint64_t Frequency() const override { return frequency; }
    std::uint64_t Now() const override { return now; }
    std::uint64_t frequency;
    std::uint64_t now = 1000;
};

TEST(HighResTimer, MillisecondsAreTruncatedFromTicks)
{
    struct Row {
        std::uint64_t frequency, start, elapsed;
        std::int64_t ms;
    };
    for (const Row& row : {Row{1000000, 1000, 2500999, 2500}, Row{3579545, 1000, 7159090, 2000},
                           Row{3579545, ~std::uint64_t{0} - 499, 3579545, 1000}}) { // across a counter wrap
        auto counter = std::make_shared<FakeCounter>(row.frequency);
        HighResTimer timer(counter);
        EXPECT_THROW(timer.ElapsedMs(), std::runtime_error);
        counter->now = row.start;
        timer.Start();
        EXPECT_TRUE(timer.IsRunning());
        counter->now += row.elapsed;
        EXPECT_EQ(timer.ElapsedMs(), row.ms);
        timer.Stop();
        EXPECT_FALSE(timer.IsRunning());
        EXPECT_THROW(timer.ElapsedMs(), std::runtime_error);
        timer.Start(); // counts from the new start
        counter->now += row.frequency;
        EXPECT_EQ(timer.ElapsedMs(), 1000);
    }
    EXPECT_THROW(HighResTimer(std::make_shared<FakeCounter>(0)), std::runtime_error);
    HighResTimer::Instance().Start();
    EXPECT_LT(HighResTimer::Instance().ElapsedMs(), 1000);
}

} // namespace
} // namespace vanemark
