// The Memory Sentinel's Speeders on a real Sentinel panel: the real memory
// of the machine, and the progress row of the free-memory command.

#include "MemorySentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "Corvex_Sentinels.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "Sizes_Win32.h"
#include "Sizes_Zolt2.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

constexpr double kMiB = 1 << 20;

class MemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-memory-test");
        registry_.SetRootKey(REGISTRY_CURRENT_USER);
        registry_.DeleteKey("\\Software\\Brannock\\corvex-memory-test");
        sentinel_.SetBounds(0, 0, 200, 10);
        sentinel_.PlugSpeeders();
        sentinel_.PrepareSpeeders();
        sentinel_.LoadOptions("Sentinels\\Memory Sentinel", store_);
        sentinel_.SignalSpeeders(SIGNAL_START);
    }
    void TearDown() override { registry_.DeleteKey("\\Software\\Brannock\\corvex-memory-test"); }
    _speeder& Row(std::size_t index) { return *sentinel_.Speeders(index); }

    _registry registry_;
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _lair& store_ = root_.Make<_lair>();
    _memsentinel& sentinel_ = host_.Make<_memsentinel>();
};

TEST_F(MemoryTest, TheRowsShowTheRealMemoryBeyondWhatThe32BitStatusCanSay) {
    ASSERT_EQ(sentinel_.SpeederCount(), 3u);
    EXPECT_EQ(Row(0).Name() + Row(1).Name() + Row(2).Name(), "ramswpvm");
    sentinel_.RefreshSpeedersPulse(1000);
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    // The host's memory as Linux counts it, through Wine's drive of its root.
    std::ifstream meminfo("Z:\\proc\\meminfo");
    std::string key;
    double kib = 0;
    ASSERT_TRUE(meminfo >> key >> kib && key == "MemTotal:");
    EXPECT_NEAR(Row(0).Total(), kib * 1024, 64 * kMiB);
    EXPECT_EQ(Row(0).Total(), static_cast<double>(status.ullTotalPhys));
    EXPECT_NEAR(Row(0).Free(), static_cast<double>(status.ullAvailPhys), 256 * kMiB);
    EXPECT_EQ(Row(0).TotalLabel().Caption(), FormatBytes(Row(0).Total(), LocaleDecimalSeparator()));
    EXPECT_EQ(Row(1).Total(), static_cast<double>(status.ullTotalPageFile));
    EXPECT_LE(Row(1).Free(), Row(1).Total());
    EXPECT_EQ(Row(2).Total(), static_cast<double>(status.ullTotalVirtual));

    // The address-space row is hidden, so not refreshed, until its value
    // says otherwise.
    EXPECT_TRUE(Row(2).Hidden());
    EXPECT_EQ(Row(2).Free(), 0.0);
    store_.SetKey("Sentinels\\Memory Sentinel\\Speeders\\vm");
    store_.WriteBool("Hidden", false);
    sentinel_.LoadOptions("Sentinels\\Memory Sentinel", store_);
    EXPECT_TRUE(Row(2).NameLabel().Visible());
}

TEST_F(MemoryTest, TheReadoutsMoveWhenTheProcessTakesAndFreesMemory) {
    Row(2).SetVisible(true);
    // Wine keeps a memory status for about a second: ticks until the
    // address-space row has moved by `by`, for 4 s at most.
    const auto tickUntilMoved = [this](double from, double by) {
        for (int i = 0; i < 20 && std::abs(Row(2).Free() - from) < by; ++i) {
            Sleep(200);
            sentinel_.RefreshSpeedersPulse(200);
        }
    };
    sentinel_.RefreshSpeedersPulse(1000);
    const double ram = Row(0).Free(), room = Row(2).Free();
    void* blocks[3] = {};
    for (void*& block : blocks) {
        block = VirtualAlloc(nullptr, 256u << 20, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(block, nullptr);
        std::memset(block, 0x5A, 256u << 20);  // touched, so it takes real memory
    }
    tickUntilMoved(room, 700 * kMiB);
    EXPECT_NEAR(room - Row(2).Free(), 768 * kMiB, 16 * kMiB);
    // Other programs on the machine take and give memory meanwhile.
    EXPECT_LT(Row(0).Free(), ram - 128 * kMiB);
    const double taken = Row(2).Free();
    for (void* block : blocks) VirtualFree(block, 0, MEM_RELEASE);
    tickUntilMoved(taken, 700 * kMiB);
    EXPECT_NEAR(Row(2).Free(), room, 16 * kMiB);
}

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
