#include "TickExtender.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvex {
namespace {

TEST(TickExtender, EachWrapCarriesIntoTheHighHalf) {
    const std::vector<std::pair<std::vector<std::uint32_t>, std::uint64_t>> cases = {
        {{5, 5, 900}, 900},                                  // no wrap, a repeated read
        {{0xFFFFFFF0u, 0x10}, 0x100000010ull},               // a wrap
        {{0xFFFFFFFFu, 0}, 0x100000000ull},                  // to exactly zero
        {{0x80000000u, 1, 0x7FFFFFFFu, 2}, 0x200000002ull},  // two wraps
    };
    for (const auto& [reads, last] : cases) {
        _tickextender extender;
        std::uint64_t now = 0;
        for (const std::uint32_t read : reads) now = extender.Extend(read);
        EXPECT_EQ(now, last);
    }
}

}  // namespace
}  // namespace corvex
