// The volume slider's arithmetic.

#include "AudioBalance.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(AudioBalanceTest, HalvesGoToTheEvenNeighbour) {
    const double cases[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {32766.5, 32766}, {-1.5, -2}, {2.5001, 3}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c[0]), c[1]) << c[0];
}

TEST(AudioBalanceTest, TheLouderChannelIsTheSlidersAndTheOtherKeepsItsShare) {
    const struct {
        _audiolevels levels;
        _audiobalance before, after;
        long slider;
    } cases[] = {
        {{65535, 32768}, {1, 1}, {1, 32768.0 / 65535}, 100}, {{16384, 32768}, {1, 1}, {0.5, 1}, 50},
        {{40000, 40000}, {1, 0.25}, {1, 1}, 61},  // balanced now
        {{0, 0}, {1, 0.25}, {1, 0.25}, 0},        // silence keeps the balance
        {{327, 0}, {0.5, 1}, {1, 0}, 0},          // 0.499 %
    };
    for (const auto& c : cases) {
        _audiobalance b = c.before;
        EXPECT_EQ(SliderFromLevels(c.levels, b), c.slider) << c.levels.left << "/" << c.levels.right;
        EXPECT_DOUBLE_EQ(b.left, c.after.left);
        EXPECT_DOUBLE_EQ(b.right, c.after.right);
    }
    // The other way: the louder channel is the slider's, held to 0..100.
    EXPECT_EQ(LevelsFromSlider(50, {1, 32768.0 / 65535}), (_audiolevels{32768, 16384}));
    EXPECT_EQ(LevelsFromSlider(1, {0.5, 1}), (_audiolevels{328, 655}));  // 327.675, 655.35
    EXPECT_EQ(LevelsFromSlider(150, {1, 2}), (_audiolevels{65535, 65535}));
    EXPECT_EQ(LevelsFromSlider(-5, {1, 1}), (_audiolevels{0, 0}));
}

}  // namespace
}  // namespace corvex
