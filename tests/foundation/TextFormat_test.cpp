#include "TextFormat.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace corvex {
namespace {

// The same conversions on every tree: under MinGW the system printf would
// misread %lld and %zu.
TEST(FormatText, WideIntegersAndRoundedFloats) {
    EXPECT_EQ(FormatText("%lld|%llu|%zu", -9000000000LL, 18446744073709551615ULL,
                         static_cast<std::size_t>(4000000000u)),
              "-9000000000|18446744073709551615|4000000000");
    EXPECT_EQ(FormatText("%.0f %.0f %.0f", 2147483648.0, 0.5, 1e20),
              "2147483648 0 100000000000000000000");
    EXPECT_EQ(FormatText("%.2f", 1.005e3), "1005.00");
}

// Around the first buffer's size and far beyond it, the text comes back
// whole: neither cut nor written past an end (the sanitizers watch).
TEST(FormatText, LongResultsComeBackWhole) {
    for (std::size_t length : {254u, 255u, 256u, 257u, 100000u}) {
        const std::string part(length, 'x');
        const std::string text = FormatText("<%s|%d>", part.c_str(), 42);
        ASSERT_EQ(text.size(), length + 5) << length;
        EXPECT_EQ(text, "<" + part + "|42>");
    }
    EXPECT_EQ(FormatText("%s", ""), "");
}

}  // namespace
}  // namespace corvex
