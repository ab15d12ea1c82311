#include "ImpulseFrame.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(ImpulseFrame, SampleRows) {
    EXPECT_EQ(OscilloY(100, 100, 15), 2);
    EXPECT_EQ(OscilloY(0, 100, 15), 17);   // below the frame
    EXPECT_EQ(OscilloY(50, 100, 15), 10);  // 7.5 - 2 truncates to 5
    EXPECT_EQ(OscilloY(1000, 100, 15), 2);  // above Max counts as Max
    EXPECT_EQ(OscilloY(7, 0, 15), 17);      // no scale
    // The bar's line ends one row above its last pixel.
    EXPECT_EQ(SpectrumTop(100, 100, 15), 1);
    EXPECT_EQ(SpectrumTop(0, 100, 15), 16);
    EXPECT_EQ(SpectrumTop(0xFFFFFFFFu, 100, 15), 1);
}

TEST(ImpulseFrame, ProgressLengthRoundsHalfToEven) {
    EXPECT_EQ(ProgressLength(50, 100, 100), 49);
    EXPECT_EQ(ProgressLength(3, 100, 100), 2);
    EXPECT_EQ(ProgressLength(1, 4, 10), 1);   // 2.5 -> 2
    EXPECT_EQ(ProgressLength(3, 4, 10), 7);   // 7.5 -> 8
    EXPECT_EQ(ProgressLength(0, 100, 100), 0);
    EXPECT_EQ(ProgressLength(500, 100, 150), 149);
    EXPECT_EQ(ProgressLength(50, 0, 100), 0);
}

TEST(ImpulseFrame, PercentStaysWithinAHundred) {
    EXPECT_EQ(ImpulsePercent(42, 100), 42);
    EXPECT_EQ(ImpulsePercent(1, 3), 33);
    EXPECT_EQ(ImpulsePercent(2, 3), 66);
    EXPECT_EQ(ImpulsePercent(150, 100), 100);
    EXPECT_EQ(ImpulsePercent(0xFFFFFFFFu, 1), 100);
    EXPECT_EQ(ImpulsePercent(5, 0), 0);
}

TEST(ImpulseFrame, WholePercentagesAreExact) {
    for (std::uint32_t max = 1; max <= 200; ++max)
        for (std::uint32_t v = 0; v <= max; ++v)
            if (v * 100 % max == 0) {
                ASSERT_EQ(ImpulsePercent(v, max), static_cast<int>(v * 100 / max)) << v << " of " << max;
            }
}

TEST(ImpulseFrame, ProgressTextSitsRightAndCentred) {
    EXPECT_EQ(ProgressTextOrigin(100, 15, 20, 13).x, 76);
    EXPECT_EQ(ProgressTextOrigin(100, 15, 20, 13).y, 1);
    EXPECT_EQ(ProgressTextOrigin(100, 10, 20, 13).y, -1);  // -1.5 toward zero
}

TEST(ImpulseFrame, ShadesRoundToNearest) {
    EXPECT_EQ(MulDivRound(255, 50, 100), 128);
    EXPECT_EQ(MulDivRound(-255, 50, 100), -128);
    EXPECT_EQ(MulDivRound(254, 50, 100), 127);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(Darken(COLOR_WHITE, 50), 0x7F7F7Fu);
    EXPECT_EQ(Lighten(COLOR_BLACK, 50), 0x808080u);
    EXPECT_EQ(Lighten(COLOR_WHITE, 50), COLOR_WHITE);
    EXPECT_EQ(Darken(MakeColor(10, 20, 255), 50), MakeColor(5, 10, 127));
    EXPECT_EQ(Lighten(MakeColor(10, 20, 255), 50), MakeColor(133, 138, 255));
}

}  // namespace
}  // namespace corvex
