#include "Heart_Zolt2.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "PerfData.h"
#include "RegistryMemory.h"
#include "Registry_Win32.h"
#include "System_Zolt2.h"
#include "support/PerfDataWriter.h"

namespace corvex {
namespace {

using test::PerfDataWriter;

// Idle counters per processor and the data's time, as the next query (or
// the clock) will report them.
std::vector<std::uint64_t> g_idle;
std::uint64_t g_time = 0;

std::vector<std::uint8_t> ProcessorBlock(bool withTotal) {
    PerfDataWriter w;
    w.Object(238, {{6, perf::SIZE_LARGE}});
    for (std::size_t i = 0; i < g_idle.size(); ++i)
        w.Instance(std::u16string(1, static_cast<char16_t>(u'0' + i)), {g_idle[i]});
    if (withTotal) w.Instance(u"_Total", {12345});
    return w.Build(g_time);
}

class Heart : public ::testing::Test {
protected:
    void SetUp() override {
        memory_.Put(REGISTRY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009", "Counter",
                    REGISTRY_TYPE_MULTI_SZ, {'6', 0, '%', 0, 0});
    }
    void TearDown() override { SetVersionSource(nullptr); }

    _memoryregistry memory_;
    _component owner_;
};

// Loads expected from a tick of 1000 ms, processor by processor.
std::uint32_t Mean(const std::vector<std::int32_t>& loads, std::uint32_t total) {
    double sum = 0;
    for (std::uint32_t i = 0; i < total; ++i) sum += i < loads.size() ? loads[i] : 0;
    return static_cast<std::uint32_t>(std::nearbyint(sum / total));
}

TEST_F(Heart, LoadsFromTheProcessorCounters) {
    _heart probe(nullptr, memory_);
    const std::uint32_t total = probe.Total();
    ASSERT_GE(total, 1u);
    g_idle.assign(total, 0);
    for (std::uint32_t i = 0; i < total; ++i) g_idle[i] = 50000000 + i * 1000;
    g_time = 130000000000000000;  // the data's time stamp: now
    memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY,
                      [] { return ProcessorBlock(true); });

    _heart& heart = owner_.Make<_heart>(memory_);
    ASSERT_FALSE(heart.Dead());
    // The first tick is a baseline only.
    EXPECT_EQ(heart.Pulse(1), _OK);
    for (std::uint32_t i = 0; i < total; ++i) EXPECT_EQ(heart.GetPulse(i), 0) << i;

    // Then the busy share of the data's own interval, whatever the tick
    // says: idle 2.5e6 of 1e7 units is 75 %.
    std::vector<std::int32_t> expected;
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint64_t idle = i % 2 ? 10000000 : 2500000;
        g_idle[i] += idle;
        expected.push_back(i % 2 ? 0 : 75);
    }
    g_time += 10000000;
    EXPECT_EQ(heart.Pulse(1400), _OK);
    for (std::uint32_t i = 0; i < total; ++i) EXPECT_EQ(heart.GetPulse(i), expected[i]) << i;
    EXPECT_EQ(heart.TotalPulse(), Mean(expected, total));

    // An idle counter that runs ahead of the interval: an idle processor.
    g_idle[0] += 10200000;
    g_time += 10000000;
    heart.Pulse(1000);
    EXPECT_EQ(heart.GetPulse(0), 0);
    EXPECT_EQ(heart.GetPulse(32), 0);
}

TEST_F(Heart, WithoutProcessorDataTheSystemIdleTimesServe) {
    memory_.Put(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY,
                PerfDataWriter().Build());  // a block without objects
    static std::uint64_t idle = 0;
    idle = 0;
    g_time = 0;
    _heart& heart = owner_.Make<_heart>(memory_);
    heart.SetIdleSource([](std::uint64_t* out, std::uint32_t) -> std::uint32_t {
        out[0] = idle;
        return 1;
    });
    heart.SetClock([] { return g_time; });
    heart.Pulse(1);
    EXPECT_EQ(heart.GetPulse(0), 0);

    // An idle machine (not the shared one the tests run on): idle time keeps
    // pace with the clock in 15.625 ms steps, read at irregular ticks.
    std::minstd_rand jitter(26);
    std::int32_t highest = 0;
    for (int sample = 0; sample < 200; ++sample) {
        g_time += (450 + jitter() % 100) * 10000;
        idle = g_time / 156250 * 156250 - g_time / 200;  // 0.5 % busy
        g_time += jitter() % 30000;                      // read a little later
        heart.Pulse(500);
        highest = std::max(highest, heart.GetPulse(0));
    }
    EXPECT_LE(highest, 50);

    idle += 6000000;  // 40 % busy over 1000 ms of the reader's clock
    g_time += 10000000;
    heart.Pulse(2500);
    EXPECT_EQ(heart.GetPulse(0), 40);
}

bool Win98(_osversion& v) {
    v.platform = _osversion::WIN32_WINDOWS;
    v.major = 4;
    v.minor = 10;
    v.build = 2222;
    return true;
}

TEST_F(Heart, Windows98StatisticsUnderDynData) {
    SetVersionSource(Win98);
    int starts = 0, stops = 0;
    std::uint8_t usage = 37;
    const auto counted = [](int& n) {
        return [&n] { ++n; return std::vector<std::uint8_t>{0, 0, 0, 0}; };
    };
    memory_.PutSource(REGISTRY_DYN_DATA, "PerfStats\\StartStat", "KERNEL\\CPUUsage",
                      REGISTRY_TYPE_BINARY, counted(starts));
    memory_.PutSource(REGISTRY_DYN_DATA, "PerfStats\\StopStat", "KERNEL\\CPUUsage",
                      REGISTRY_TYPE_BINARY, counted(stops));
    memory_.PutSource(REGISTRY_DYN_DATA, "PerfStats\\StatData", "KERNEL\\CPUUsage",
                      REGISTRY_TYPE_BINARY, [&] { return std::vector<std::uint8_t>{usage, 9, 9, 9}; });

    _heart& heart = owner_.Make<_heart>(memory_);
    ASSERT_FALSE(heart.Dead());
    EXPECT_GT(starts, 0);  // a read may ask for the size first: count reads, not calls
    heart.Pulse(1000);
    EXPECT_EQ(heart.GetPulse(0), 37);  // the first byte
    EXPECT_EQ(heart.TotalPulse(), static_cast<std::uint32_t>(std::nearbyint(37.0 / heart.Total())));
    usage = 88;
    heart.Pulse(1000);
    EXPECT_EQ(heart.GetPulse(0), 88);
    EXPECT_EQ(stops, 0);
    owner_.Destroy(&heart);
    EXPECT_GT(stops, 0);
}

TEST_F(Heart, DeadWithoutADataSource) {
    SetVersionSource(Win98);
    _heart& heart = owner_.Make<_heart>(memory_);  // no PerfStats keys at all
    EXPECT_TRUE(heart.Dead());
    EXPECT_EQ(heart.Pulse(1000), _ERROR);
    EXPECT_EQ(heart.TotalPulse(), 0u);
}

// The real system under Wine: a busy thread shows as load.
TEST_F(Heart, RealLoadOfABusyThread) {
    _heart& heart = owner_.Make<_heart>(Win32Registry());
    ASSERT_FALSE(heart.Dead());
    std::atomic<bool> stop{false};
    std::thread busy([&] {
        volatile std::uint64_t n = 0;
        while (!stop) ++n;
    });
    heart.Pulse(1);
    DWORD last = GetTickCount();
    std::int32_t highest = 0;
    for (int tick = 0; tick < 3; ++tick) {
        Sleep(400);
        const DWORD now = GetTickCount();
        heart.Pulse(now - last);
        last = now;
        for (std::uint32_t i = 0; i < heart.Total(); ++i)
            if (heart.GetPulse(i) > highest) highest = heart.GetPulse(i);
    }
    stop = true;
    busy.join();
    EXPECT_GT(highest, 30);
    EXPECT_LE(highest, 100);
}

}  // namespace
}  // namespace corvex
