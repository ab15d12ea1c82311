#include "SpeederGauge.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

const _speederlevels kLevels;  // 25 and 75, the default colours

TEST(SpeederGauge, PercentOfTheAmounts) {
    EXPECT_EQ(GaugePercent(25, 100), 75u);
    EXPECT_EQ(GaugePercent(1, 3), 66u);
    EXPECT_EQ(GaugePercent(0, 0), 0u);      // no total
    EXPECT_EQ(GaugePercent(200, 100), 0u);  // free above total
    EXPECT_EQ(GaugePercent(0, 5e12), 100u);
}

// Whole percentages come out whole on every floating-point unit (the
// 32-bit build's x87 once turned 60 of 100 free into 39 %).
TEST(SpeederGauge, WholePercentagesAreExact) {
    for (int total = 1; total <= 200; ++total)
        for (int free = 0; free <= total; ++free)
            if ((total - free) * 100 % total == 0) {
                ASSERT_EQ(GaugePercent(free, total), static_cast<std::uint32_t>((total - free) * 100 / total))
                    << free << " of " << total;
            }
}

TEST(SpeederGauge, LevelColoursAtTheLimits) {
    const struct {
        std::uint32_t v;
        _color expected;
    } cases[] = {{0, kLevels.l1},  {24, kLevels.l1}, {25, kLevels.l2},
                 {74, kLevels.l2}, {75, kLevels.l3}, {100, kLevels.l3}};
    for (const auto& c : cases) {
        const _gaugesample s = GaugeSample(c.v, 100, 0, kLevels);
        EXPECT_EQ(s.color, c.expected) << c.v;
        EXPECT_EQ(s.value, c.v);
        EXPECT_FALSE(s.sleepy);
    }
    // The percentage rounds half to even before it is compared: on a scale
    // of 200, 49 is 24.5 % (24, tolerable) and 51 is 25.5 % (26, low).
    EXPECT_EQ(GaugeSample(49, 200, 0, kLevels).color, kLevels.l1);
    EXPECT_EQ(GaugeSample(51, 200, 0, kLevels).color, kLevels.l2);
    // A negative limit compares as a huge unsigned number.
    _speederlevels odd = kLevels;
    odd.l1Limit = -1;
    EXPECT_EQ(GaugeSample(100, 100, 0, odd).color, odd.l1);
}

TEST(SpeederGauge, InvertedStasisErrorAndNotice) {
    _gaugesample s = GaugeSample(30, 100, SPEEDER_INVERTED, kLevels);
    EXPECT_EQ(s.value, 70u);
    EXPECT_EQ(s.color, kLevels.l2);  // the colour of 30 %

    s = GaugeSample(90, 100, SPEEDER_STASIS, kLevels);
    EXPECT_EQ(s.color, kLevels.l4);
    EXPECT_EQ(s.value, 90u);

    s = GaugeSample(10, 100, SPEEDER_ERROR, kLevels);
    EXPECT_EQ(s.color, kLevels.l3);
    EXPECT_EQ(s.value, 100u);
    EXPECT_TRUE(s.sleepy);
    EXPECT_EQ(GaugeSample(10, 100, SPEEDER_ERROR | SPEEDER_STASIS, kLevels).color, kLevels.l4);

    s = GaugeSample(10, 100, SPEEDER_NOTICE, kLevels);
    EXPECT_EQ(s.color, kLevels.l4);
    EXPECT_EQ(s.value, 100u);
    EXPECT_FALSE(s.sleepy);
}

TEST(SpeederGauge, OtherScalesAndOutOfRangeValues) {
    EXPECT_EQ(GaugeSample(500, 1000, 0, kLevels).value, 500u);
    EXPECT_EQ(GaugeSample(3, 7, 0, kLevels).value, 3u);  // 43 % of 7 = 3.01
    EXPECT_EQ(GaugeSample(150, 100, SPEEDER_INVERTED, kLevels).value, 0u);
    EXPECT_EQ(GaugeSample(150, 100, 0, kLevels).value, 150u);
    const _gaugesample none = GaugeSample(5, 0, 0, kLevels);
    EXPECT_EQ(none.value, 0u);
    EXPECT_EQ(none.color, kLevels.l1);
}

}  // namespace
}  // namespace corvex
