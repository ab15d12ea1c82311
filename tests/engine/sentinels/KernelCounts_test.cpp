#include "KernelCounts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

// Records of 16 bytes or as the step says: {offset to the next, threads}.
TEST(KernelCounts, ProcessListWalkStaysInsideTheData) {
    struct Case {
        std::vector<std::uint32_t> words;  // pairs of (next, threads), then padding
        std::size_t size;                  // bytes handed over
        bool ok;
        std::uint64_t processes, threads;
    };
    const Case cases[] = {
        {{16, 3, 0, 0, 16, 5, 0, 0, 0, 1, 0, 0}, 48, true, 3, 9},
        {{0, 7}, 8, true, 1, 7},
        {{0, 7}, 7, false, 0, 0},                // not even one head
        {{16, 3, 0, 0}, 16, false, 0, 0},        // the chain runs off the end
        {{16, 3, 0, 0, 0xFFFFFFF0u, 1}, 24, false, 0, 0},  // a step back out of it
        {{4, 3, 0, 0}, 16, false, 0, 0},         // a step inside its own head
        {{24, 3, 0, 0, 0, 0, 0, 2}, 28, false, 0, 0},  // the last head cut short
    };
    for (const Case& c : cases) {
        std::uint64_t processes = 99, threads = 99;
        EXPECT_EQ(CountProcessList(c.words.data(), c.size, processes, threads), c.ok) << c.size;
        EXPECT_EQ(processes, c.processes);
        EXPECT_EQ(threads, c.threads);
    }
    std::uint64_t p = 0, t = 0;
    EXPECT_FALSE(CountProcessList(nullptr, 64, p, t));
}

}  // namespace
}  // namespace corvex
