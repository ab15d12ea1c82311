#include "CpuLoad.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(CpuLoad, BusyShareOfItsOwnIntervalFromABaseline) {
    constexpr std::uint64_t second = 10000000;  // 100-nanosecond units
    // Idle time and time since the previous sample; a reading, and its load
    // (-1: none).
    const struct { std::uint64_t idle, time; bool reading; std::int32_t load; } steps[] = {
        {second / 4, second, true, 75},
        {3333333, second, true, 66},              // 66.67 truncates
        {second + second / 50, second, true, 0},  // idle a step past the interval
        {3000 * second, 6000 * second, true, 50},  // beyond 32 bits
        {second / 40, second / 40, false, -1},    // too soon: the interval goes on
        {second / 2 - second / 40, second - second / 40, true, 50},  // ... to here
    };
    _idletrack track;
    std::int32_t load = -1;
    std::uint64_t idle = 987654321, time = 123456789;  // since boot
    EXPECT_FALSE(track.Sample(idle, time, load));  // the baseline only
    for (const auto& step : steps) {
        load = -1;
        EXPECT_EQ(track.Sample(idle += step.idle, time += step.time, load), step.reading) << step.idle;
        EXPECT_EQ(load, step.load) << step.idle;
    }
    // A counter or a clock that went back starts anew from there.
    EXPECT_FALSE(track.Sample(5, time, load));
    EXPECT_FALSE(track.Sample(6, 0, load));
    EXPECT_TRUE(track.Sample(6 + second / 4, second, load));
    EXPECT_EQ(load, 75);
    EXPECT_EQ(LoadFromIdle(0, ~std::uint64_t{0}), 100);
}

TEST(CpuLoad, RoundedMean) {
    const std::int32_t loads[] = {100, 51, 0, 2};
    EXPECT_EQ(MeanLoad(loads, 1), 100u);
    EXPECT_EQ(MeanLoad(loads, 2), 76u);  // 75.5 -> 76 (even)
    EXPECT_EQ(MeanLoad(loads + 2, 2), 1u);
    const std::int32_t halves[] = {1, 2};
    EXPECT_EQ(MeanLoad(halves, 2), 2u);  // 1.5 -> 2
    const std::int32_t other[] = {2, 3};
    EXPECT_EQ(MeanLoad(other, 2), 2u);  // 2.5 -> 2
    EXPECT_EQ(MeanLoad(loads, 0), 0u);
}

}  // namespace
}  // namespace corvex
