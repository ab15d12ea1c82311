// The free-memory command's steps over its block.

#include "FreeMemPlan.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace corvex::test {
namespace {

TEST(FreeMemPlan, StepsCoverTheBlockExactlyWhateverTheRounding) {
    // Sizes below, at and around the step count, odd ones whose hundredth
    // rounds up or down, and the largest a 32-bit block or a 64-bit count
    // can have.
    for (const std::uint64_t size : {0ull, 1ull, 99ull, 100ull, 101ull, 150ull, 199ull, 1048613ull,
                                     0x7FFFFFFFull, 0xFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull}) {
        const std::uint64_t shortest = size / FREEMEM_STEPS;
        std::uint64_t at = 0;
        for (unsigned step = 0; step < FREEMEM_STEPS; ++step) {
            const _fillrange range = FreeMemStep(size, step, FREEMEM_STEPS);
            ASSERT_EQ(range.begin, at) << size << " step " << step;
            ASSERT_LE(range.begin, range.end) << size << " step " << step;
            const std::uint64_t length = range.end - range.begin;
            EXPECT_TRUE(length == shortest || length == shortest + 1) << size << " step " << step;
            at = range.end;
        }
        EXPECT_EQ(at, size) << size;
    }
}

TEST(FreeMemPlan, NoStepBeyondTheLastAndNoneWithoutSteps) {
    const _fillrange past = FreeMemStep(1000, FREEMEM_STEPS, FREEMEM_STEPS);
    EXPECT_EQ(past.end - past.begin, 0u);
    const _fillrange none = FreeMemStep(1000, 0, 0);
    EXPECT_EQ(none.end - none.begin, 0u);
    // With fewer bytes than steps, the bytes go to single steps.
    EXPECT_EQ(FreeMemStep(3, 0, FREEMEM_STEPS).end, 0u);
    EXPECT_EQ(FreeMemStep(3, FREEMEM_STEPS - 1, FREEMEM_STEPS).end, 3u);
}

}  // namespace
}  // namespace corvex::test
