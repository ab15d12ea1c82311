#include "LanRates.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(LanRates, RatesFromTwoReadings) {
    struct Case {
        std::uint64_t current, previous;
        unsigned elapsed;
        double rate;
    } const cases[] = {
        {5000, 2000, 1, 3000},       // the launch's first refresh: the delta itself
        {5000, 2000, 1000, 3000},    // one second
        {5000, 2000, 2000, 1500},    // a late tick
        {5000, 2000, 500, 6000},     // a short refresh interval is still per second
        {1000, 0xFFFFFF00u, 1000, 0},  // a 32-bit counter wrapped: 0 for that tick
        {7, 7, 1000, 0},
        {(1ull << 40) + 8000, 1ull << 40, 1000, 8000},  // 64-bit counters
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(LanRate(c.current, c.previous, c.elapsed), c.rate)
            << c.current << " " << c.previous << " " << c.elapsed;
}

TEST(LanRates, BandwidthInBytesPerSecond) {
    EXPECT_EQ(BandwidthTotal(100000000, 0), 12500000);
    EXPECT_EQ(BandwidthTotal(100000000, 10000000), 1250000);  // the user's wins
    EXPECT_EQ(BandwidthTotal(15, 0), 1);                      // whole bytes
    EXPECT_EQ(BandwidthTotal(10000000000ull, 0), 1250000000);  // beyond 32 bits
}

TEST(LanRates, WanInterfaceByTheFirst24Characters) {
    EXPECT_TRUE(IsWanInterface("WAN [PPP_SLIP] Interface"));
    EXPECT_TRUE(IsWanInterface("WAN [PPP_SLIP] Interface #2"));
    EXPECT_FALSE(IsWanInterface("WAN [PPP_SLIP] Interfac"));
    EXPECT_FALSE(IsWanInterface("wan [ppp_slip] interface"));
    EXPECT_FALSE(IsWanInterface(" WAN [PPP_SLIP] Interface"));
}

TEST(LanRates, DescriptionsSpeltAsInstanceNames) {
    std::string name = "left over from a longer name";
    const char text[] = "WAN (PPP/SLIP) Interface\0tail";
    PerfInstanceName(text, sizeof text, name);
    EXPECT_EQ(name, "WAN [PPP_SLIP] Interface");
    PerfInstanceName("Card #2\\x\tz", 8, name);  // the length ends it
    EXPECT_EQ(name, "Card _2_");
}

}  // namespace
}  // namespace corvex
