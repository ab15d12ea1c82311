#include "Sizes_Zolt2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvex {
namespace {

TEST(FormatBytes, WholeBytesBelowOneKilobyteAreGroupedByThree) {
    EXPECT_EQ(FormatBytes(0), "0 bytes");
    EXPECT_EQ(FormatBytes(7), "7 bytes");
    EXPECT_EQ(FormatBytes(999), "999 bytes");
    EXPECT_EQ(FormatBytes(1000), "1.000 bytes");
    EXPECT_EQ(FormatBytes(1023), "1.023 bytes");
    // Rounded first, then grouped.
    EXPECT_EQ(FormatBytes(1023.4), "1.023 bytes");
    EXPECT_EQ(FormatBytes(1023.9), "1.024 bytes");
}

TEST(FormatBytes, BinaryLadderPicksTheLargestUnitReached) {
    EXPECT_EQ(FormatBytes(1024), "1.00 K");
    EXPECT_EQ(FormatBytes(1536), "1.50 K");
    EXPECT_EQ(FormatBytes(1048575), "1024.00 K");  // just below 1 M, rounded up
    EXPECT_EQ(FormatBytes(1048576), "1.00 M");
    EXPECT_EQ(FormatBytes(2147483648.0), "2.00 G");
    EXPECT_EQ(FormatBytes(std::ldexp(1.5, 40)), "1.50 T");
    EXPECT_EQ(FormatBytes(std::ldexp(1.0, 50)), "1.00 P");
    EXPECT_EQ(FormatBytes(std::ldexp(3.0, 60)), "3072.00 P");  // no unit above P
}

TEST(FormatBytes, LocaleSeparatorReplacesThePointOfTheFraction) {
    EXPECT_EQ(FormatBytes(1536, ","), "1,50 K");
    EXPECT_EQ(FormatBytes(1536, "::"), "1::50 K");
    // The grouping point of small amounts is not the decimal separator.
    EXPECT_EQ(FormatBytes(1000, ","), "1.000 bytes");
}

TEST(FormatBits, DecimalLadderOfRates) {
    EXPECT_EQ(FormatBits(0), "0 bps");
    EXPECT_EQ(FormatBits(999), "999 bps");
    EXPECT_EQ(FormatBits(999.6), "1.000 bps");
    EXPECT_EQ(FormatBits(1000), "1.00 Kbps");
    EXPECT_EQ(FormatBits(1500), "1.50 Kbps");
    EXPECT_EQ(FormatBits(56000), "56.00 Kbps");
    EXPECT_EQ(FormatBits(1e6), "1.00 Mbps");
    EXPECT_EQ(FormatBits(2.5e9), "2.50 Gbps");
    EXPECT_EQ(FormatBits(1e12), "1.00 Tbps");
    EXPECT_EQ(FormatBits(4e15, ","), "4,00 Pbps");
}

// Counters that go backwards give negative amounts: the sign stays in front
// of the digits instead of being taken as one.
TEST(GroupedWhole, SignsAndNonNumbers) {
    EXPECT_EQ(GroupedWhole(-1234), "-1.234");
    EXPECT_EQ(GroupedWhole(-123), "-123");
    EXPECT_EQ(GroupedWhole(-123456), "-123.456");
    EXPECT_EQ(GroupedWhole(1234567), "1.234.567");
    EXPECT_EQ(FormatBytes(-5000), "-5.000 bytes");
    EXPECT_EQ(GroupedWhole(std::numeric_limits<double>::quiet_NaN()).find('.'),
              std::string::npos);
}

}  // namespace
}  // namespace corvex
