#include "CPU_Win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "CpuNames.h"

namespace corvex {
namespace {

std::uint64_t TimeStampOf(const _cpu& cpu) {
    return (std::uint64_t{cpu.TimeStampHiHi()} << 48) | (std::uint64_t{cpu.TimeStampHiLo()} << 32) |
           (std::uint64_t{cpu.TimeStampLoHi()} << 16) | cpu.TimeStampLoLo();
}

TEST(Cpu, IdentificationAgreesWithItsOwnWords) {
    const _cpu cpu;
    // Every processor that runs this program has CPUID and a unit for floats.
    ASSERT_TRUE(cpu.HasCPUID());
    EXPECT_TRUE(cpu.HasFPU());
    EXPECT_EQ(cpu.ProcessorVendor().size(), 12u);
    EXPECT_NE(cpu.ProcessorVendor(), "Unknown Vendor");
    EXPECT_EQ(cpu.ProcessorStepping(), cpu.CPUID1() & 0xF);
    EXPECT_EQ(cpu.ProcessorModel(), (cpu.CPUID1() >> 4) & 0xF);
    EXPECT_EQ(cpu.ProcessorFamily(), (cpu.CPUID1() >> 8) & 0xF);
    EXPECT_EQ(cpu.HasTimeStamp(), (cpu.CPUID4() & 0x10) != 0);
    EXPECT_EQ(cpu.HasAPIC(), (cpu.CPUID4() & 0x200) != 0);
    EXPECT_EQ(cpu.FullName(),
              CpuFullName(cpu.ProcessorVendor(), cpu.ProcessorFamily(), cpu.ProcessorModel()));
    EXPECT_EQ(cpu.ProcessorDescription(),
              CpuDescription(cpu.ProcessorType(), cpu.ProcessorFamily(), cpu.ProcessorModel()));
    EXPECT_STREQ(cpu.VCLVersion(), "1.02");
    EXPECT_EQ(cpu.ProcessorSpeed(), 0.0);
}

// The four words put back together in order (HiHi first) give a counter
// that only grows from one reading to the next.
TEST(Cpu, TimeStampWordsAreInOrder) {
    const _cpu first;
    if (!first.HasTimeStamp()) GTEST_SKIP() << "no time-stamp counter";
    Sleep(20);
    const _cpu second;
    EXPECT_NE(TimeStampOf(first), 0u);
    EXPECT_GT(TimeStampOf(second), TimeStampOf(first));
}

TEST(Cpu, SpeedIsMeasuredOnRequest) {
    _cpu cpu;
    if (!cpu.HasTimeStamp()) GTEST_SKIP() << "no time-stamp counter";
    int told = 0;
    cpu.OnSpeedCalculated = [&](_cpu& which) {
        EXPECT_EQ(&which, &cpu);
        ++told;
    };
    ASSERT_TRUE(cpu.CalculateSpeed(50));
    EXPECT_EQ(told, 1);
    EXPECT_GT(cpu.ProcessorSpeed(), 50.0);  // MHz
}

TEST(ProcessorCount, MatchesTheSystemsOwnCount) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    EXPECT_EQ(ProcessorCount(), info.dwNumberOfProcessors);
}

}  // namespace
}  // namespace corvex
