#include "timing/HighResTimer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using vanemark::CounterSource;
using vanemark::HighResTimer;

namespace {

class FakeCounter final : public CounterSource {
public:
    explicit FakeCounter(std::uint64_t f) : frequency(f) {}
    std::uint64_t Frequency() const override { return frequency; }
    std::uint64_t Now() const override { return now; }
    std::uint64_t frequency;
    std::uint64_t now = 1000;
};

std::string ErrorOf(const HighResTimer& timer)
{
    try {
        timer.ElapsedMs();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(HighResTimer, MillisecondsAreTruncatedFromTicks)
{
    auto counter = std::make_shared<FakeCounter>(1000000);
    HighResTimer timer(counter);
    EXPECT_EQ(timer.stopped, 1);
    EXPECT_EQ(ErrorOf(timer), "Error! Timer is not running.");
    timer.Start();
    EXPECT_EQ(timer.stopped, 0);
    EXPECT_EQ(timer.ElapsedMs(), 0);
    counter->now += 2500999;
    EXPECT_EQ(timer.ElapsedMs(), 2500);

    auto ntsc = std::make_shared<FakeCounter>(3579545);
    HighResTimer second(ntsc);
    second.Start();
    ntsc->now += 7159090;
    EXPECT_EQ(second.ElapsedMs(), 2000);
    second.Stop();
    EXPECT_EQ(second.start, 7159090u);
    EXPECT_EQ(ErrorOf(second), "Error! Timer is not running.");

    // Started again, across a wrap of the 64-bit counter.
    ntsc->now = ~std::uint64_t{0} - 499;
    second.Start();
    ntsc->now += 3579545;
    EXPECT_EQ(second.ElapsedMs(), 1000);
}

TEST(HighResTimer, MissingFrequencyAndTheProcessWideInstance)
{
    try {
        HighResTimer none(std::make_shared<FakeCounter>(0));
        FAIL() << "constructed without a frequency";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Error! This hardware does not support the time stamp counter necessary for this "
                               "class to function.");
    }

    HighResTimer& timer = HighResTimer::Instance();
    EXPECT_EQ(&timer, &HighResTimer::Instance());
    timer.Start();
    EXPECT_GE(timer.ElapsedMs(), 0);
    EXPECT_LT(timer.ElapsedMs(), 1000);
}
