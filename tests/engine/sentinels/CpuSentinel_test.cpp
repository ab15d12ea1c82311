// The CPU Sentinel with its processor Speeders and gauge, on synthetic
// data sources and on the real system.

#include "CpuSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "Corvex_Sentinels.h"
#include "Heart_Zolt2.h"
#include "Impulse_Zolt2.h"
#include "Lair_Zolt2.h"
#include "PerfData.h"
#include "RegistryMemory.h"
#include "Registry_Win32.h"
#include "System_Zolt2.h"
#include "TrayGauge_Zolt2.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/PerfDataWriter.h"

namespace corvex::test {
namespace {

std::vector<std::uint64_t> g_idle;  // per processor, as the next query reports
std::uint64_t g_time = 0;           // and the data's time stamp

class CpuSentinelTest : public ::testing::Test {
protected:
    void SetUp() override {
        memory_.Put(REGISTRY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009", "Counter",
                    REGISTRY_TYPE_MULTI_SZ, {'6', 0, '%', 0, 0});
        memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY, [] {
            PerfDataWriter w;
            w.Object(238, {{6, perf::SIZE_LARGE}});
            for (std::size_t i = 0; i < g_idle.size(); ++i)
                w.Instance(std::u16string(1, static_cast<char16_t>(u'0' + i)), {g_idle[i]});
            w.Instance(u"_Total", {1});
            return w.Build(g_time);
        });
    }
    void TearDown() override { SetVersionSource(nullptr); }

    _gspeeder& Graph(_cpusentinel& cpu, std::size_t i) {
        return *dynamic_cast<_gspeeder*>(cpu.Speeders(i));
    }

    _memoryregistry memory_;
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
};

TEST_F(CpuSentinelTest, OneGraphPerProcessorAndTheGaugeFollowsTheFirstTwo) {
    _cpusentinel& cpu = host_.Make<_cpusentinel>(memory_);
    const std::uint32_t total = cpu.Heart()->Total();
    g_idle.assign(total, 50000000);  // idle time since boot, far ahead of one tick
    ASSERT_EQ(cpu.PlugSpeeders(), _OK);
    ASSERT_EQ(cpu.SpeederCount(), total);
    for (std::uint32_t i = 0; i < total; ++i) {
        EXPECT_EQ(cpu.Speeders(i)->Name(), "cpu " + std::to_string(i + 1));
        EXPECT_EQ(dynamic_cast<_scpu*>(cpu.Speeders(i))->Index(), i);
    }
    cpu.PrepareSpeeders();
    cpu.SignalSpeeders(SIGNAL_START);

    // The first refresh (at launch) is a baseline only.
    g_time = 130000000000000000;
    cpu.RefreshSpeedersPulse(1);
    EXPECT_EQ(Graph(cpu, 0).Graph().Progress(), 0u);
    EXPECT_EQ(cpu.Gauge().Position(), 0u);

    // The data's 1000 ms, whatever the tick says: processor 0 idle a quarter
    // of it, the others all of it (and a step more).
    for (std::uint32_t i = 0; i < total; ++i) g_idle[i] += i == 0 ? 2500000 : 10100000;
    g_time += 10000000;
    cpu.RefreshSpeedersPulse(1400);
    EXPECT_EQ(Graph(cpu, 0).Graph().Progress(), 75u);
    EXPECT_EQ(cpu.Gauge().Position(), 75u);
    // A single processor leaves the gauge's second bar at 0.
    EXPECT_EQ(cpu.Gauge().Position2(), 0u);
    if (total > 1) {
        EXPECT_EQ(Graph(cpu, 1).Graph().Progress(), 0u);
    }
}

TEST_F(CpuSentinelTest, GaugeColoursAreStoredWithTheSentinel) {
    memory_.AddKey(REGISTRY_CURRENT_USER, "Software");
    _lair& store = root_.Make<_lair>(memory_);
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    _cpusentinel& cpu = host_.Make<_cpusentinel>(memory_);

    store.SetKey("Sentinels\\CPU Sentinel");
    cpu.LoadOptions(store.Key(), store);  // nothing stored: the defaults
    EXPECT_EQ(cpu.Gauge().BackColor(), 0x808080u);
    EXPECT_EQ(cpu.Gauge().ForeColor1(), 0x00FFFFu);
    EXPECT_EQ(cpu.Gauge().ForeColor2(), 0x00FFFFu);

    cpu.Gauge().SetBackColor(0x123456);
    cpu.Gauge().SetForeColor1(0x00FF00);
    store.SetKey("Sentinels\\CPU Sentinel");
    cpu.SaveOptions(store.Key(), store);
    store.SetKey("Sentinels\\CPU Sentinel");
    EXPECT_EQ(store.ReadInteger("Strip color", 0), 0x123456);
    EXPECT_EQ(store.ReadInteger("Load color", 0), 0x00FF00);

    // With the striped look the strip colour is what is kept.
    cpu.Gauge().SetLook(TRAY_GAUGE_NT);
    cpu.Gauge().SetStripColor1(0x0000AA);
    cpu.SaveOptions(store.Key(), store);
    store.SetKey("Sentinels\\CPU Sentinel");
    EXPECT_EQ(store.ReadInteger("Strip color", 0), 0x0000AA);
    cpu.Gauge().SetStripColor2(0);
    cpu.LoadOptions(store.Key(), store);
    EXPECT_EQ(cpu.Gauge().StripColor2(), 0x0000AAu);
}

TEST_F(CpuSentinelTest, Windows98LoadComesFromTheKernelStatistics) {
    SetVersionSource([](_osversion& v) {
        v.platform = _osversion::WIN32_WINDOWS;
        v.major = 4;
        v.minor = 10;
        v.build = 1998;
        return true;
    });
    for (const char* key : {"PerfStats\\StartStat", "PerfStats\\StopStat"})
        memory_.Put(REGISTRY_DYN_DATA, key, "KERNEL\\CPUUsage", REGISTRY_TYPE_BINARY, {0, 0, 0, 0});
    memory_.Put(REGISTRY_DYN_DATA, "PerfStats\\StatData", "KERNEL\\CPUUsage", REGISTRY_TYPE_BINARY,
                {42, 1, 2, 3});
    _cpusentinel& cpu = host_.Make<_cpusentinel>(memory_);
    cpu.PlugSpeeders();
    cpu.SignalSpeeders(SIGNAL_START);
    cpu.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Graph(cpu, 0).Graph().Progress(), 42u);
    EXPECT_EQ(cpu.Gauge().Position(), 42u);
}

// On the real system (under Wine through the system's idle times): a busy
// thread shows on the processor graphs.
TEST_F(CpuSentinelTest, RealLoadOfABusyThreadReachesTheGraphs) {
    _cpusentinel& cpu = host_.Make<_cpusentinel>(Win32Registry());
    cpu.PlugSpeeders();
    cpu.PrepareSpeeders();
    cpu.SignalSpeeders(SIGNAL_START);
    std::atomic<bool> stop{false};
    std::thread busy([&] {
        volatile std::uint64_t n = 0;
        while (!stop) ++n;
    });
    cpu.RefreshSpeedersPulse(1);
    DWORD last = GetTickCount();
    std::uint32_t highest = 0;
    for (int tick = 0; tick < 3; ++tick) {
        Sleep(400);
        const DWORD now = GetTickCount();
        cpu.RefreshSpeedersPulse(now - last);
        last = now;
        for (std::size_t i = 0; i < cpu.SpeederCount(); ++i)
            highest = std::max(highest, Graph(cpu, i).Graph().Progress());
    }
    stop = true;
    busy.join();
    EXPECT_GT(highest, 30u);
}

}  // namespace
}  // namespace corvex::test
