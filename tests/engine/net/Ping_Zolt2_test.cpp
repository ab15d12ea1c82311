// The probe with real echo requests to loopback addresses and the hosts
// file scripts/net_namespace.sh runs it with; the SilentNet cases run in
// a network namespace of their own whose loopback answers no echo.

#include "Ping_Zolt2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/net/NetTesting.h"

namespace corvex::test {
namespace {

struct Counts {
    int pinged = 0;
    int resolved = 0;
};

_ping& MakeProbe(_component& root, Counts& counts, const char* host, int iterations, const char* library = "ICMP.DLL") {
    _ping& ping = root.Make<_ping>(library);
    ping.SetHost(host);
    ping.SetIterations(iterations);
    ping.SetSleepTime(0);
    ping.OnPinged = [&counts](_ping&) { ++counts.pinged; };
    ping.OnIpResolved = [&counts](_ping&) { ++counts.resolved; };
    return ping;
}

TEST(PingTest, EchoesComeBackOnTheGuiThreadAndANameIsProbedAtItsLastAddress) {
    const struct { const char* host; const char* ip; int lookups; } cases[] = {
        {"127.0.0.2", "127.0.0.2", 0}, {"localhost", "127.0.0.1", 1}, {"corvex-multi", "127.0.0.9", 1}};
    for (const auto& c : cases) {
        _component root;
        Counts counts;
        _ping& ping = MakeProbe(root, counts, c.host, 2);
        const DWORD gui = GetCurrentThreadId();
        bool onGui = true;
        ping.OnPinged = [&](_ping&) {
            onGui = onGui && GetCurrentThreadId() == gui;
            ++counts.pinged;
        };
        int lookups = 0;
        ping.SetLookup([&lookups](const std::string& host, _ipv4& address) {
            ++lookups;
            return _ping::SystemLookup(host, address);
        });
        EXPECT_GE(ping.Ping(false), 0) << c.host;
        EXPECT_EQ(ping.Error(), PING_OK) << c.host;
        EXPECT_EQ(ping.HostIP(), c.ip);
        EXPECT_EQ(lookups, c.lookups) << c.host;
        EXPECT_EQ(counts.pinged, 2) << c.host;
        EXPECT_EQ(counts.resolved, 1) << c.host;
        EXPECT_TRUE(onGui);
        EXPECT_FALSE(ping.Running());
    }
}

TEST(PingTest, ThePauseIsWholeHundredMillisecondNapsInOneWait) {
    for (const auto& [sleep, pauses] : {std::pair<int, std::vector<unsigned>>{250, {200, 200}}, {99, {}}}) {
        _component root;
        Counts counts;
        _ping& ping = MakeProbe(root, counts, "127.0.0.1", 2);
        ping.SetSleepTime(sleep);
        std::vector<unsigned> taken;  // by the worker, read once it has ended
        ping.SetPause([&taken](unsigned milliseconds) { taken.push_back(milliseconds); });
        ping.Ping(false);
        EXPECT_EQ(taken, pauses) << sleep;
    }
}

TEST(PingTest, FailuresAreReportedOnceAndADeadProbeDoesNothing) {
    const struct { const char* library; const char* host; bool dead; _pingerror error; const char* text; int pinged; } cases[] = {
        {"corvex-no-such-icmp.dll", "127.0.0.1", true, PING_ERROR_ICMP_LOAD, "icmp.dll not loaded", 0},
        {"kernel32.dll", "127.0.0.1", true, PING_ERROR_ICMP_FUNC_MOUNT, "icmp.dll functions mount failed", 0},
        {"ICMP.DLL", "corvex-nowhere.invalid", false, PING_ERROR_UNRESOLVED_HOST, "unresolved host", 1},
    };
    for (const auto& c : cases) {
        _component root;
        Counts counts;
        _ping& ping = MakeProbe(root, counts, c.host, 1, c.library);
        EXPECT_EQ(ping.Dead(), c.dead) << c.library;
        EXPECT_EQ(ping.Ping(false), -1);
        EXPECT_EQ(ping.Error(), c.error);
        EXPECT_EQ(ping.ErrorStr(), c.text);
        EXPECT_EQ(counts.pinged, c.pinged);
        EXPECT_EQ(counts.resolved, 0);
        EXPECT_EQ(ping.Stop(), c.dead ? c.error : PING_OK);
    }
}

TEST(PingTest, AResumedRunGoesOnWithTheNewCountAndPause) {
    _component root;
    Counts counts;
    _ping& ping = MakeProbe(root, counts, "127.0.0.1", -1);
    ping.SetSleepTime(60000);
    ping.Ping(true);
    ASSERT_TRUE(PumpUntil([&] { return counts.pinged > 0; }, 3000));
    ping.Suspend();
    ping.SetIterations(0);
    ping.SetSleepTime(100);  // ends the minute's pause
    ping.Resume();
    EXPECT_TRUE(PumpUntil([&] { return !ping.Running(); }, 3000));
}

TEST(PingTest, TwoHundredStartsAndStopsNeitherLockNorLeakNorDeliverLate) {
    const int threads = ThreadCount();
    int late = 0;
    DWORD slowest = 0;
    for (int i = 0; i < 200; ++i) {
        _component root;
        Counts counts;
        _ping& ping = MakeProbe(root, counts, "127.0.0.1", -1);
        ping.SetTimeout(300);
        ping.SetSleepTime(i % 4 == 2 ? 60000 : 0);  // a stop ends a long pause at once
        ping.Ping(true);
        if (i % 4 == 1) Sleep(20);  // the worker waits inside its address hand-back
        if (i % 4 >= 2) {
            PumpUntil([&] { return counts.pinged > 0; }, 2000);
            if (i % 4 == 3) Sleep(20);  // ... or inside an echo hand-back
        }
        const Counts stopped = counts;
        const DWORD start = GetTickCount();
        if (i % 4 == 3)
            root.Destroy(&ping);
        else
            ping.Stop();
        slowest = std::max(slowest, GetTickCount() - start);
        PumpUntil([] { return false; }, 0);
        late += counts.pinged - stopped.pinged + counts.resolved - stopped.resolved;
    }
    EXPECT_EQ(late, 0);
    EXPECT_LT(slowest, 1400u) << "a stop waits for one echo time-out at most";
    EXPECT_EQ(ThreadCount(), threads);
}

TEST(SilentNetTest, AnUnansweredEchoIsATimeOutAndTheRunGoesOn) {
    _component root;
    Counts counts;
    _ping& ping = MakeProbe(root, counts, "127.0.0.1", 2);
    ping.SetTimeout(300);
    EXPECT_EQ(ping.Ping(false), -1);
    EXPECT_EQ(ping.Error(), PING_ERROR_TIMEOUT);
    EXPECT_EQ(ping.ErrorStr(), "time out");
    EXPECT_EQ(counts.pinged, 2);

    ping.SetIterations(-1);
    ping.Ping(true);
    Sleep(50);  // inside the echo call
    const DWORD start = GetTickCount();
    ping.Stop();
    EXPECT_LT(GetTickCount() - start, 1400u);
}

}  // namespace
}  // namespace corvex::test
