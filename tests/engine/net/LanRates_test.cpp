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
        {5000, 2000, 1, 3000},         // the launch's first refresh: the delta itself
        {5000, 2000, 1000, 3000},      // one second
        {5000, 2000, 500, 6000},       // a short refresh interval is still per second
        {5000, 2000, 50, 60000},       // and so is the shortest timer tick
        {1000, 0xFFFFFF00u, 1000, 0},  // a 32-bit counter wrapped: 0 for that tick
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(LanRate(c.current, c.previous, c.elapsed), c.rate) << c.current << " " << c.elapsed;
}

TEST(LanRates, BandwidthAndNames) {
    EXPECT_EQ(BandwidthTotal(100000000, 10000000), 1250000);  // the user's wins
    EXPECT_EQ(BandwidthTotal(10000000000ull, 15), 1);          // whole bytes
    EXPECT_EQ(BandwidthTotal(10000000000ull, 0), 1250000000);  // beyond 32 bits

    // The dial-up adapter: only the first 24 characters count.
    EXPECT_TRUE(IsWanInterface("WAN [PPP_SLIP] Interface #2"));
    EXPECT_FALSE(IsWanInterface("WAN [PPP_SLIP] Interfac"));

    std::string name = "left over from a longer name";
    const char text[] = "WAN (PPP/SLIP) Interface\0tail";
    PerfInstanceName(text, sizeof text, name);
    EXPECT_EQ(name, "WAN [PPP_SLIP] Interface");
    PerfInstanceName("Card #2\\x\tz", 8, name);  // the length ends it
    EXPECT_EQ(name, "Card _2_");
}

}  // namespace
}  // namespace corvex
