#include "Color.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvex {
namespace {

TEST(ColorTest, RgbValuesPassThroughAndChannelsSplit) {
    const auto never = [](unsigned) -> _color {
        ADD_FAILURE() << "no system colour expected";
        return 0;
    };
    EXPECT_EQ(ColorToRGB(0x00405060u, never), 0x00405060u);
    EXPECT_EQ(RedOf(0x00405060u), 0x60u);
    EXPECT_EQ(GreenOf(0x00405060u), 0x50u);
    EXPECT_EQ(BlueOf(0x00405060u), 0x40u);
    EXPECT_EQ(MakeColor(0x60, 0x50, 0x40), 0x00405060u);
    // Bits above the 24 colour bits never reach a pen.
    EXPECT_EQ(ColorToRGB(0x02FF0000u, never), 0x00FF0000u);
}

TEST(ColorTest, SystemColoursAreLookedUpByIndex) {
    std::vector<unsigned> asked;
    const auto lookup = [&asked](unsigned index) -> _color {
        asked.push_back(index);
        return 0xAB000000u | (index * 0x010101u);  // junk in the high byte is dropped
    };
    EXPECT_EQ(ColorToRGB(SYSCOLOR_BTNFACE, lookup), 15u * 0x010101u);
    EXPECT_EQ(ColorToRGB(0x80000010u, lookup), 16u * 0x010101u);
    EXPECT_EQ(ColorToRGB(COLOR_SYSTEM_FLAG + 0, lookup), 0u);
    EXPECT_EQ(asked, (std::vector<unsigned>{15, 16, 0}));
}

TEST(ColorTest, UnknownSystemIndexGivesBlackWithoutAskingTheSystem) {
    bool asked = false;
    const auto lookup = [&asked](unsigned) -> _color {
        asked = true;
        return COLOR_WHITE;
    };
    EXPECT_EQ(ColorToRGB(COLOR_SYSTEM_FLAG + COLOR_SYSTEM_LAST + 1, lookup), COLOR_BLACK);
    EXPECT_EQ(ColorToRGB(0x80FFFFFFu, lookup), COLOR_BLACK);
    EXPECT_FALSE(asked);
    EXPECT_EQ(ColorToRGB(COLOR_SYSTEM_FLAG + COLOR_SYSTEM_LAST, lookup), COLOR_WHITE);
}

TEST(ColorTest, OnlyTheExactFlagByteMeansSystemColour) {
    EXPECT_TRUE(IsSystemColor(0x8000000Fu));
    EXPECT_FALSE(IsSystemColor(0x0000000Fu));
    EXPECT_FALSE(IsSystemColor(0x8100000Fu));
    EXPECT_FALSE(IsSystemColor(0xFFFFFFFFu));
}

}  // namespace
}  // namespace corvex
