// The Kernel Sentinel on synthetic performance data and on the live system.

#include "KernelSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Label.h"
#include "PerfData.h"
#include "RegistryMemory.h"
#include "Registry_Win32.h"
#include "StartupOptions.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/PerfDataWriter.h"

namespace corvex::test {
namespace {

DWORD WINAPI WaitFor(void* event) { return WaitForSingleObject(event, 10000); }

class KernelSentinelTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartupOptions().Reset();
        memory_.Put(REGISTRY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009", "Counter",
                    REGISTRY_TYPE_MULTI_SZ, {'2', '6', '0', 0, 'O', 0, 0});
        memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "260", REGISTRY_TYPE_BINARY, [this] {
            ++queries_;
            PerfDataWriter w;
            // In the system's order; sections as a 64-bit counter.
            w.Object(260, {{248, perf::SIZE_DWORD}, {250, perf::SIZE_DWORD}, {252, perf::SIZE_DWORD},
                           {254, perf::SIZE_DWORD}, {256, perf::SIZE_DWORD}, {258, perf::SIZE_LARGE}});
            w.NoInstances(values_);
            return w.Build();
        });
    }
    void TearDown() override { StartupOptions().Reset(); }

    _kernelsentinel& Launch(_registrybackend& backend) {
        _kernelsentinel& k = host_.Make<_kernelsentinel>(backend);
        k.PlugSpeeders();
        k.PrepareSpeeders();
        k.SignalSpeeders(SIGNAL_START);
        return k;
    }
    static std::string Text(const _sentinel& k, std::size_t i) {
        return dynamic_cast<_skernel*>(k.Speeders(i))->TextLabel().Caption();
    }

    std::vector<std::uint64_t> values_ = {61, 1022, 4000, 310, 77, 6000000000ull};
    int queries_ = 0;
    _memoryregistry memory_;
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
};

TEST_F(KernelSentinelTest, PlainDecimalCountsEveryTickEvenWhenHidden) {
    _kernelsentinel& k = Launch(memory_);
    k.RefreshSpeedersPulse(1000);
    EXPECT_FALSE(k.FromSnapshot());
    const char* const expected[][2] = {{"thread", "1022"},   {"process", "61"},  {"event", "4000"},
                                       {"mutex", "77"},      {"semaphore", "310"},
                                       {"sections", "6000000000"}};
    ASSERT_EQ(k.SpeederCount(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(k.Speeders(i)->Name(), expected[i][0]);
        EXPECT_EQ(Text(k, i), expected[i][1]);
    }

    // Hidden, the band still reads the data on every tick.
    k.Hide();
    const int before = queries_;
    values_[1] = 1100;
    k.RefreshSpeedersPulse(1000);
    k.RefreshSpeedersPulse(1000);
    EXPECT_EQ(queries_, before + 2);
    EXPECT_EQ(dynamic_cast<_skernel*>(k.Speeders(0))->Raw(), 1100u);
    k.Show();
    k.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Text(k, 0), "1100");

    // "-unlink=mutex": five Speeders, and its counter goes unused.
    StartupOptions().Unlink("mutex");
    _kernelsentinel& five = Launch(memory_);
    five.RefreshSpeedersPulse(1000);
    ASSERT_EQ(five.SpeederCount(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_NE(five.Speeders(i)->Name(), "mutex");
    EXPECT_EQ(Text(five, 3), "310");
}

// Live counts of this Wine system, whose performance data are empty: the
// process list gives processes and threads; the rest is not known.
TEST_F(KernelSentinelTest, LiveThreadAndProcessCounts) {
    _kernelsentinel& k = Launch(Win32Registry());
    const auto count = [&](std::size_t i) {
        k.RefreshSpeedersPulse(1000);
        return std::stoll(Text(k, i));
    };
    count(0);
    ASSERT_TRUE(k.FromSnapshot());
    EXPECT_EQ(Text(k, 2), "n/a");
    EXPECT_EQ(Text(k, 5), "n/a");

    // Other processes may start or end threads meanwhile: a few tries.
    constexpr long kThreads = 5;
    bool seen = false;
    for (int attempt = 0; attempt < 3 && !seen; ++attempt) {
        const long long threads = count(0);
        KernelHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        std::vector<KernelHandle> waiting;
        for (long i = 0; i < kThreads; ++i)
            waiting.emplace_back(CreateThread(nullptr, 0, WaitFor, release.get(), 0, nullptr));
        seen = count(0) == threads + kThreads;
        SetEvent(release.get());
        for (const KernelHandle& t : waiting) WaitForSingleObject(t.get(), 10000);
    }
    EXPECT_TRUE(seen);

    // A child process, held suspended, is one process more.
    seen = false;
    for (int attempt = 0; attempt < 3 && !seen; ++attempt) {
        const long long processes = count(1);
        STARTUPINFOA start{};
        start.cb = sizeof start;
        PROCESS_INFORMATION child{};
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        ASSERT_TRUE(CreateProcessA(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                   nullptr, nullptr, &start, &child));
        const KernelHandle process(child.hProcess), thread(child.hThread);
        seen = count(1) == processes + 1;
        TerminateProcess(process.get(), 0);
        WaitForSingleObject(process.get(), 10000);
    }
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace corvex::test
