// The bar's free-memory command on a real bar: its progress row, the
// message loop between its steps, and the way back, also when it is asked
// twice, when the bar closes meanwhile, or when the memory cannot be had.

#include "Corvex_Kernel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Impulse_Zolt2.h"
#include "MemorySentinel.h"
#include "Menu.h"
#include "MessageWindow.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "Timer.h"
#include "BarMenu.h"
#include "FreeMemCommand.h"
#include "engine/kernel/BarTesting.h"

namespace corvex::test {
namespace {

// Small enough to touch at once: a 2 MiB block (and one that does not
// divide by the step count).
constexpr std::uint64_t kSmallMachine = 4 * 1024 * 1024 + 2 * 37;

// What one step of the command left to see.
struct Seen {
    unsigned step = 0;
    std::size_t speeders = 0;
    std::string last;          // the Memory Sentinel's last Speeder
    std::uint32_t progress = 0;
    int sentinelHeight = 0;
    bool timer = true;
    int posted = 0;            // probe messages handled before this step
};

class FreeMemTest : public BarTest {
protected:

    TPULSE& LaunchedBar(std::uint64_t physical = kSmallMachine) {
        TPULSE& bar = root_->Make<TPULSE>();
        bar.FreeMem().SetPhysicalMemorySource([physical] { return physical; });
        EXPECT_EQ(bar.Launch(), _OK);
        return bar;
    }

    // Records every step; `also` runs after the record.
    void Watch(TPULSE& bar, std::function<void(unsigned step)> also = nullptr) {
        bar.FreeMem().OnStep = [this, &bar, also](unsigned step) {
            Seen seen;
            seen.step = step;
            seen.posted = posted_;
            seen.timer = bar.TIMER.Enabled();
            if (_sentinel* memory = bar.MemorySentinel()) {
                seen.speeders = memory->SpeederCount();
                seen.sentinelHeight = memory->Height();
                if (_speeder* last = memory->Speeders(memory->SpeederCount() - 1)) {
                    seen.last = last->Name();
                    if (auto* graph = dynamic_cast<_gspeeder*>(last)) seen.progress = graph->Graph().Progress();
                }
            }
            seen_.push_back(seen);
            // Handled only if the command lets the message loop run.
            PostMessageA(probe_.Handle(), WM_APP, 0, 0);
            if (also) also(step);
        };
    }

    std::vector<Seen> seen_;
    int posted_ = 0;
    _messagewindow probe_{[this](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_APP) return false;
        ++posted_;
        result = 0;
        return true;
    }};
};

TEST_F(FreeMemTest, ARowFillsOnePercentAStepWhileTheBarRunsAndGoesAfterwards) {
    TPULSE& bar = LaunchedBar();
    _sentinel& memory = *bar.MemorySentinel();
    ASSERT_EQ(&memory, bar.Sentinels(2));
    const std::size_t speeders = memory.SpeederCount();
    const int height = memory.Height();
    const int barHeight = bar.ClientHeight();
    ASSERT_TRUE(bar.TIMER.Enabled());
    Watch(bar);

    EXPECT_EQ(bar.FreeMemMENUClick(), _OK);

    ASSERT_EQ(seen_.size(), 100u);
    for (std::size_t i = 0; i < seen_.size(); ++i) {
        const Seen& seen = seen_[i];
        EXPECT_EQ(seen.step, i + 1);
        EXPECT_EQ(seen.speeders, speeders + 1) << seen.step;
        EXPECT_EQ(seen.last, "free...") << seen.step;
        EXPECT_EQ(seen.progress, seen.step) << "one percent per step";
        EXPECT_GT(seen.sentinelHeight, height) << "the row takes room";
        EXPECT_FALSE(seen.timer) << seen.step;
        // The message posted at the previous step was handled before this one.
        EXPECT_EQ(seen.posted, static_cast<int>(i)) << seen.step;
    }
    EXPECT_EQ(seen_.back().progress, 100u);

    EXPECT_EQ(memory.SpeederCount(), speeders);
    for (std::size_t i = 0; i < memory.SpeederCount(); ++i) EXPECT_NE(memory.Speeders(i)->Name(), "free...");
    EXPECT_EQ(memory.Height(), height);
    EXPECT_EQ(bar.ClientHeight(), barHeight);
    EXPECT_TRUE(bar.TIMER.Enabled());

    // It can run again once done.
    seen_.clear();
    EXPECT_EQ(bar.FreeMemMENUClick(), _OK);
    EXPECT_EQ(seen_.size(), 100u);
}

TEST_F(FreeMemTest, TheMenuStartsItAndASecondRequestMeanwhileIsIgnored) {
    TPULSE& bar = LaunchedBar();
    _result again = _OK;
    Watch(bar, [&](unsigned step) {
        // The menu's short-cut reaches the command through its item.
        if (step == 10) {
            again = bar.FreeMemMENUClick();
            bar.Menu().FreeMemMENU->Click();
        }
    });

    bar.Menu().FreeMemMENU->Click();

    EXPECT_EQ(again, _ERROR);
    ASSERT_EQ(seen_.size(), 100u);
    for (std::size_t i = 0; i < seen_.size(); ++i) {
        EXPECT_EQ(seen_[i].step, i + 1) << "no second run inside the first";
        EXPECT_EQ(seen_[i].speeders, seen_[0].speeders) << "one row only";
    }
    EXPECT_EQ(bar.MemorySentinel()->SpeederCount(), seen_[0].speeders - 1);
    EXPECT_TRUE(bar.TIMER.Enabled());
}

TEST_F(FreeMemTest, ClosingTheBarMeanwhileEndsTheFillingAndLeavesTheTimerOff) {
    TPULSE& bar = LaunchedBar();
    const std::size_t speeders = bar.MemorySentinel()->SpeederCount();
    Watch(bar, [&](unsigned step) {
        if (step == 30) bar.ExitMENUClick();
    });

    bar.FreeMemMENUClick();

    ASSERT_FALSE(seen_.empty());
    EXPECT_EQ(seen_.back().step, 30u);
    EXPECT_EQ(bar.State(), CORVEX_DOWN);
    EXPECT_EQ(bar.MemorySentinel()->SpeederCount(), speeders);
    EXPECT_FALSE(bar.TIMER.Enabled()) << "a shut-down bar does not tick";
    // The temporary row was no setting: nothing of it was saved.
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    EXPECT_FALSE(registry.KeyExists("\\Software\\Brannock\\corvex\\0.0.1\\Sentinels\\Memory Sentinel\\Speeders\\free..."));
    EXPECT_TRUE(registry.KeyExists("\\Software\\Brannock\\corvex\\0.0.1\\Sentinels\\Memory Sentinel"));
    // A closed bar starts no new run.
    seen_.clear();
    EXPECT_EQ(bar.FreeMemMENUClick(), _ERROR);
    EXPECT_TRUE(seen_.empty());
}

TEST_F(FreeMemTest, MemoryThatCannotBeHadStillTakesTheRowAwayAndRestartsTheTimer) {
    // The command takes half of these: nearly 4 GiB, which a 32-bit process
    // never gets, and more than its address space can even name; in a
    // 64-bit process, more than its 47 bits of address space, and more than
    // SIZE_T can hold.
    const std::uint64_t halves32[] = {std::uint64_t{0xFFFFFFF0} * 2, std::uint64_t{1} << 41};
    const std::uint64_t halves64[] = {std::uint64_t{1} << 49, std::uint64_t{1} << 63};
    for (const std::uint64_t physical : sizeof(void*) == 4 ? halves32 : halves64) {
        TPULSE& bar = LaunchedBar(physical);
        _sentinel& memory = *bar.MemorySentinel();
        const std::size_t speeders = memory.SpeederCount();
        const int height = memory.Height();
        Watch(bar);

        EXPECT_EQ(bar.FreeMemMENUClick(), _ERROR) << physical;

        EXPECT_TRUE(seen_.empty()) << "nothing filled";
        EXPECT_EQ(memory.SpeederCount(), speeders);
        EXPECT_EQ(memory.Height(), height);
        EXPECT_TRUE(bar.TIMER.Enabled());
        bar.FreeMem().OnStep = nullptr;
        root_->Destroy(&bar);
    }
}

TEST_F(FreeMemTest, WithoutTheMemorySentinelNothingHappens) {
    StartupOptions().Unplug(2);
    TPULSE& bar = LaunchedBar();
    ASSERT_EQ(bar.MemorySentinel(), nullptr);
    const int barHeight = bar.ClientHeight();
    std::vector<std::size_t> counts;
    for (std::size_t i = 0; i < bar.SentinelCount(); ++i) counts.push_back(bar.Sentinels(i)->SpeederCount());
    Watch(bar);

    EXPECT_EQ(bar.FreeMemMENUClick(), _ERROR);

    EXPECT_TRUE(seen_.empty());
    EXPECT_TRUE(bar.TIMER.Enabled());
    EXPECT_EQ(bar.ClientHeight(), barHeight);
    for (std::size_t i = 0; i < bar.SentinelCount(); ++i) EXPECT_EQ(bar.Sentinels(i)->SpeederCount(), counts[i]);
}

}  // namespace
}  // namespace corvex::test
