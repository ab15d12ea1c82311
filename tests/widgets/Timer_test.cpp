#include "Timer.h"

#include <gtest/gtest.h>

#include "Application.h"

namespace corvex {
namespace {

// Pumps messages until `done` or about two seconds have passed.
template <class Done>
void PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 2000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

TEST(TimerTest, TicksWhileEnabledAndStopsWhenDisabled) {
    _component root;
    auto& timer = root.Make<_timer>();
    int ticks = 0;
    timer.OnTimer = [&ticks] { ++ticks; };
    timer.SetInterval(15);
    PumpUntil([&ticks] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);

    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpUntil([] { return false; });
    EXPECT_EQ(ticks, stopped);

    timer.SetInterval(0);
    timer.SetEnabled(true);  // enabled with no interval: still silent
    PumpUntil([&ticks, stopped] { return ticks > stopped; });
    EXPECT_EQ(ticks, stopped);
}

TEST(TimerTest, ATimerDestroyedByItsOwnTickStopsCleanly) {
    _component root;
    int ticks = 0;
    auto& timer = root.Make<_timer>();
    timer.SetInterval(10);
    timer.OnTimer = [&] {
        ++ticks;
        root.Destroy(&timer);
    };
    PumpUntil([&ticks] { return ticks >= 1; });
    PumpUntil([] { return false; });
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(root.ComponentCount(), 0u);
}

}  // namespace
}  // namespace corvex
