#include "TickExtender.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace corvex {
namespace {

TEST(TickExtender, EachWrapCarriesIntoTheHighHalf) {
    struct Case {
        std::vector<std::uint32_t> reads;
        std::uint64_t last;
    };
    const Case cases[] = {
        {{5, 5, 900}, 900},                                        // no wrap, a repeated read
        {{0xFFFFFFF0u, 0x10}, 0x100000010ull},                     // one wrap
        {{0xFFFFFFFFu, 0}, 0x100000000ull},                        // wrapping to exactly zero
        {{0x80000000u, 1, 0x7FFFFFFFu, 2}, 0x200000002ull},        // two wraps
    };
    for (const Case& c : cases) {
        _tickextender extender;
        std::uint64_t now = 0, previous = 0;
        for (const std::uint32_t read : c.reads) {
            now = extender.Extend(read);
            EXPECT_GE(now, previous);
            previous = now;
        }
        EXPECT_EQ(now, c.last);
    }
}

}  // namespace
}  // namespace corvex
