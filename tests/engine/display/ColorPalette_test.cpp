#include "ColorPalette.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(ColorPaletteTest, ColoursMapToTheirItemsAndOthersToChoose) {
    for (int i = 0; i < PALETTE_SIZE; ++i) EXPECT_EQ(PaletteItemOf(PaletteColor(i)), i);
    EXPECT_EQ(PaletteColor(7), 0x808080u);
    EXPECT_EQ(PaletteColor(3), 0x008080u);  // olive, $00BBGGRR
    EXPECT_EQ(PaletteColor(4), 0x800000u);  // navy
    EXPECT_EQ(PaletteItemOf(0x405060), PALETTE_CHOOSE_ITEM);
    // A system colour is never a palette colour, even where its low bytes
    // match one.
    EXPECT_EQ(PaletteItemOf(0x80000000u), PALETTE_CHOOSE_ITEM);
    EXPECT_EQ(PaletteColor(-1), COLOR_BLACK);
    EXPECT_EQ(PaletteColor(PALETTE_SIZE), COLOR_BLACK);
}

}  // namespace
}  // namespace corvex
