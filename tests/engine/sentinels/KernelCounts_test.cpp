#include "KernelCounts.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace corvex {
namespace {

TEST(KernelCounts, FormatWritesTheWhole64BitCount) {
    std::string text = "old";
    FormatCount("%d", INT64_MIN, text);
    EXPECT_EQ(text, "-9223372036854775808");
    // Only the first %d takes the number; other specifiers stay text.
    FormatCount("%s %d%% %d %", 7, text);
    EXPECT_EQ(text, "%s 7% %d %");
}

}  // namespace
}  // namespace corvex
