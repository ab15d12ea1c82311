// The Memory Sentinel's Speeders on a real Sentinel panel.

#include "MemorySentinel.h"

#include <gtest/gtest.h>

#include "Corvex_Sentinels.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

class MemFreeTest : public ::testing::Test {
protected:
    _smemfree& AddRow() {
        _smemfree& row = sentinel_.Make<_smemfree>();
        sentinel_.AddSpeeder(&row);
        Reignite(row, std::string());
        return row;
    }

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _memsentinel& sentinel_ = host_.Make<_memsentinel>();
};

TEST_F(MemFreeTest, EachStepFillsOnePercentInTheTolerableColourUntilFull) {
    _smemfree& row = AddRow();
    const _speederlevels& levels = row.Levels();
    ASSERT_EQ(row.Graph().Style(), IMPULSE_PROGRESSOR);
    for (unsigned step = 1; step <= 100; ++step) {
        ASSERT_EQ(row.RefreshPulse(1), _OK);
        EXPECT_EQ(row.Free(), 100.0 - step);
        EXPECT_EQ(row.Graph().Progress(), step * row.Graph().Max() / 100) << step;
        // Up to 99 % the bar keeps the first colour; it is no alarm.
        if (step < 100) {
            EXPECT_EQ(row.Graph().Color(), levels.l1) << step;
        }
    }
    EXPECT_EQ(row.Graph().Progress(), row.Graph().Max());

    // A step beyond the hundredth leaves a full bar, not one above 100 %.
    row.RefreshPulse(1);
    row.RefreshPulse(7);
    EXPECT_EQ(row.Free(), 0.0);
    EXPECT_EQ(row.Graph().Progress(), row.Graph().Max());
}

TEST_F(MemFreeTest, LargerStepsAndAStoppedRow) {
    _smemfree& row = AddRow();
    row.RefreshPulse(30);
    EXPECT_EQ(row.Free(), 70.0);
    EXPECT_EQ(row.Graph().Progress(), 30u * row.Graph().Max() / 100);
    const std::uint32_t samples = row.Graph().History().WriteIndex();
    row.Stop();
    row.RefreshPulse(5);
    EXPECT_EQ(row.Free(), 70.0);
    EXPECT_EQ(row.Graph().History().WriteIndex(), samples);
}

TEST_F(MemFreeTest, TheEngineTickPassesTheRowByAndItHasNoMeters) {
    _smemfree& row = AddRow();
    EXPECT_EQ(row.Name(), "free...");
    EXPECT_EQ(row.NameLabel().Caption(), "free...");
    const std::uint32_t samples = row.Graph().History().WriteIndex();
    sentinel_.RefreshSpeedersPulse(400);
    EXPECT_EQ(row.Free(), 100.0);
    EXPECT_EQ(row.Graph().History().WriteIndex(), samples);

    // The row is one line high whatever the Meters bit says.
    row.SetOption(SPEEDER_METERS, true);
    int width = 0, height = 0;
    row.Measure(width, height);
    EXPECT_EQ(height, row.NBY());
    row.UpdateVisibility();
    EXPECT_FALSE(row.FreeLabel().Visible());
}

}  // namespace
}  // namespace corvex::test
