#include "ImpulseHistory.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvex {
namespace {

using Visits = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // (k, value)

Visits WalkAll(const _ibuffer& ring, std::uint32_t limit = 1000) {
    Visits visits;
    ring.Walk(limit, [&](std::uint32_t k, const _isample& s) { visits.emplace_back(k, s.value); });
    return visits;
}

TEST(ImpulseHistory, RingOfFiveAfterSevenSamples) {
    _ibuffer ring;
    ring.Resize(5);
    for (std::uint32_t v = 1; v <= 7; ++v) ring.Append(v, 0x100 + v);
    EXPECT_EQ(ring.WriteIndex(), 2u);
    EXPECT_EQ(ring.OldestIndex(), 3u);
    EXPECT_EQ(ring.NewestIndex(), 1u);
    EXPECT_EQ(ring.Newest().value, 7u);
    EXPECT_EQ(ring.Newest().color, 0x107u);
    // The oldest slot (4) is never visited: the HistorySize - 2 newest are.
    EXPECT_EQ(WalkAll(ring), (Visits{{0, 7}, {1, 6}, {2, 5}}));
}

TEST(ImpulseHistory, BeforeTheRingFills) {
    _ibuffer ring;
    ring.Resize(500);
    ring.Append(0, 0);
    // A new control's only sample sits at the oldest index: nothing to plot.
    EXPECT_EQ(WalkAll(ring), Visits{});
    ring.Append(10, 0);
    ring.Append(20, 0);
    EXPECT_EQ(ring.OldestIndex(), 0u);
    EXPECT_EQ(WalkAll(ring), (Visits{{0, 20}, {1, 10}}));
}

TEST(ImpulseHistory, WalkStopsAtTheLimit) {
    _ibuffer ring;
    ring.Resize(5000);
    for (std::uint32_t v = 0; v < 6000; ++v) ring.Append(v, 0);
    const Visits visits = WalkAll(ring, 3);
    EXPECT_EQ(visits, (Visits{{0, 5999}, {1, 5998}, {2, 5997}, {3, 5996}}));
}

TEST(ImpulseHistory, TinyAndEmptyRings) {
    _ibuffer none;
    none.Append(5, 1);  // no storage: nothing happens
    EXPECT_EQ(none.Newest().value, 0u);
    EXPECT_EQ(WalkAll(none), Visits{});

    _ibuffer one;
    one.Resize(1);
    one.Append(9, 0);
    one.Append(8, 0);
    EXPECT_EQ(one.Newest().value, 8u);
    EXPECT_EQ(one.WriteIndex(), 0u);
    EXPECT_EQ(one.OldestIndex(), 0u);
    EXPECT_EQ(WalkAll(one), Visits{});

    // Resizing discards the history.
    one.Resize(3);
    EXPECT_EQ(one.Newest().value, 0u);
    EXPECT_EQ(one.NewestIndex(), 0u);
}

}  // namespace
}  // namespace corvex
