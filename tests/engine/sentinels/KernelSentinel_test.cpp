// The Kernel Sentinel on synthetic performance data and on the live system.

#include "KernelSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Handle.h"
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
        memory_.Put(REGISTRY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009",
                    "Counter", REGISTRY_TYPE_MULTI_SZ, {'2', '6', '0', 0, 'O', 0, 0});
        memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "260", REGISTRY_TYPE_BINARY, [this] {
            ++queries_;
            PerfDataWriter w;  // in the system's order; sections as 64 bits
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
        k.RefreshSpeedersPulse(1000);
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
    EXPECT_FALSE(k.FromSnapshot());
    std::string shown;
    for (std::size_t i = 0; i < k.SpeederCount(); ++i)
        shown += k.Speeders(i)->Name() + "=" + Text(k, i) + " ";
    EXPECT_EQ(shown, "thread=1022 process=61 event=4000 mutex=77 semaphore=310 sections=6000000000 ");

    k.Hide();  // the data are still read on every tick
    const int before = queries_;
    values_[1] = 1100;
    k.RefreshSpeedersPulse(1000);
    EXPECT_EQ(queries_, before + 1);
    EXPECT_EQ(dynamic_cast<_skernel*>(k.Speeders(0))->Raw(), 1100u);

    StartupOptions().Unlink("mutex");
    _kernelsentinel& five = Launch(memory_);
    ASSERT_EQ(five.SpeederCount(), 5u);
    EXPECT_EQ(five.Speeders(3)->Name(), "semaphore");
    EXPECT_EQ(Text(five, 3), "310");
}

// Live counts of this Wine system, whose performance data are empty: the
// process list gives processes and threads; the rest is not known.
TEST_F(KernelSentinelTest, LiveThreadAndProcessCounts) {
    _kernelsentinel& k = Launch(Win32Registry());
    EXPECT_TRUE(k.FromSnapshot());
    EXPECT_EQ(Text(k, 2), "n/a");
    const auto now = [&](std::size_t i) {
        k.RefreshSpeedersPulse(1000);
        return std::stoll(Text(k, i));
    };
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const KernelHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    // Five threads more, then a child (held suspended) more; other processes
    // may start or end threads meanwhile: a few tries.
    bool threads = false, processes = false;
    for (int attempt = 0; attempt < 3 && !(threads && processes); ++attempt) {
        ResetEvent(release.get());
        const long long threads0 = now(0), processes0 = now(1);
        std::vector<KernelHandle> waiting;
        for (int n = 0; n < 5; ++n)
            waiting.emplace_back(CreateThread(nullptr, 0, WaitFor, release.get(), 0, nullptr));
        threads = threads || now(0) == threads0 + 5;
        STARTUPINFOA start{};
        start.cb = sizeof start;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(CreateProcessA(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                   nullptr, &start, &child));
        const KernelHandle process(child.hProcess), thread(child.hThread);
        processes = processes || now(1) == processes0 + 1;
        TerminateProcess(process.get(), 0);
        SetEvent(release.get());
        for (const KernelHandle& h : waiting) WaitForSingleObject(h.get(), 10000);
        WaitForSingleObject(process.get(), 10000);
    }
    EXPECT_TRUE(threads);
    EXPECT_TRUE(processes);
}

}  // namespace
}  // namespace corvex::test
