#include "CpuLoad.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(CpuLoad, BusyShareOfTheTick) {
    std::int32_t load = -7;
    // 1000 ms = 10 000 000 units; idle for a quarter of it.
    ASSERT_TRUE(LoadFromIdle(2500000, 1000, load));
    EXPECT_EQ(load, 75);
    ASSERT_TRUE(LoadFromIdle(0, 1000, load));
    EXPECT_EQ(load, 100);
    ASSERT_TRUE(LoadFromIdle(10000000, 1000, load));
    EXPECT_EQ(load, 0);
    ASSERT_TRUE(LoadFromIdle(3333333, 1000, load));  // 66.67 truncates
    EXPECT_EQ(load, 66);
    // The first tick compares with 0: the counter ran far ahead.
    ASSERT_TRUE(LoadFromIdle(123456789012LL, 1000, load));
    EXPECT_LT(load, 0);
    // A counter that went backwards reads as more than fully busy.
    ASSERT_TRUE(LoadFromIdle(-5000000, 1000, load));
    EXPECT_EQ(load, 150);
}

TEST(CpuLoad, LongAndEmptyTicks) {
    std::int32_t load = 42;
    // Ten minutes asleep: 6e9 units do not fit 32 bits and must not wrap.
    ASSERT_TRUE(LoadFromIdle(3000000000LL, 600000, load));
    EXPECT_EQ(load, 50);
    EXPECT_FALSE(LoadFromIdle(100, 0, load));
    EXPECT_EQ(load, 50);
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
