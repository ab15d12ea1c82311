#include "ImpulseText.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

TEST(ImpulseTextTest, FillsTheFirstIntegerConversion) {
    EXPECT_EQ(FormatImpulseText("%d%%", 42), "42%");
    EXPECT_EQ(FormatImpulseText("CPU %3d%%", 7), "CPU   7%");
    EXPECT_EQ(FormatImpulseText("%-4i|", 5), "5   |");
    EXPECT_EQ(FormatImpulseText("%03u", 9), "009");
    EXPECT_EQ(FormatImpulseText("0x%X", 255), "0xFF");
    EXPECT_EQ(FormatImpulseText("%.3d", 4), "004");
    EXPECT_EQ(FormatImpulseText("load", 50), "load");
    EXPECT_EQ(FormatImpulseText("", 50), "");
}

TEST(ImpulseTextTest, ConversionsWithoutAnArgumentStayAsText) {
    // Only one number exists: a second conversion must not read another.
    EXPECT_EQ(FormatImpulseText("%d of %d", 3), "3 of %d");
    // Strings, pointers, floats and the write-back conversion are never run.
    EXPECT_EQ(FormatImpulseText("%s%d", 1), "%s1");
    EXPECT_EQ(FormatImpulseText("%n%d", 1), "%n1");
    EXPECT_EQ(FormatImpulseText("%5.2f", 1), "%5.2f");
    EXPECT_EQ(FormatImpulseText("%p", 1), "%p");
    EXPECT_EQ(FormatImpulseText("100%", 1), "100%");
    EXPECT_EQ(FormatImpulseText("%-", 1), "%-");
    EXPECT_EQ(FormatImpulseText("%%d", 1), "%d");
}

TEST(ImpulseTextTest, HugeWidthsAreCapped) {
    const std::string wide = FormatImpulseText("%99999999999d", 1);
    EXPECT_EQ(wide.size(), 64u);
    EXPECT_EQ(wide.back(), '1');
    EXPECT_EQ(FormatImpulseText("%.99999d", 2).size(), 64u);
}

}  // namespace
}  // namespace corvex
