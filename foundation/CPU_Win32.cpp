#include "CPU_Win32.h"

#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include "CpuNames.h"

namespace corvex {

namespace {

#if defined(__i386__)
// Whether software can flip the EFLAGS bits of `mask`: the ID flag (bit 21)
// means CPUID exists; the alignment-check flag (bit 18) tells a 486 without
// CPUID from a 386. Older processors cannot run this program at all.
bool CanToggleFlags(unsigned long mask) {
    unsigned long before = 0, after = 0;
    __asm__ volatile(
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl %2, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "pushl %0\n\t"
        "popfl"
        : "=&r"(before), "=&r"(after)
        : "ri"(mask)
        : "cc");
    return ((before ^ after) & mask) != 0;
}
#else
bool CanToggleFlags(unsigned long) { return true; }
#endif

constexpr unsigned long kIdFlag = 1ul << 21;
constexpr unsigned long kAlignmentCheckFlag = 1ul << 18;

}  // namespace

unsigned ProcessorCount() {
    DWORD_PTR process = 0, system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return 0;
    return CountProcessors(static_cast<std::uint32_t>(system));
}

_cpu::_cpu(_component* owner) : _component(owner) {
    hasCpuid_ = CanToggleFlags(kIdFlag);
    if (!hasCpuid_) {
        description_ =
            OldCpuDescription(CanToggleFlags(kAlignmentCheckFlag) ? OLD_CPU_486 : OLD_CPU_386);
        return;
    }
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid(0, a, b, c, d);
    const unsigned highest = a;
    vendor_ = CpuVendor(b, d, c);
    if (highest >= 1) {
        __cpuid(1, a, b, c, d);
        eax_ = a;
        ebx_ = b;
        ecx_ = c;
        edx_ = d;
    }
    const _cpusignature signature = SplitSignature(eax_);
    type_ = signature.type;
    family_ = signature.family;
    model_ = signature.model;
    stepping_ = signature.stepping;
    description_ = CpuDescription(type_, family_, model_);
    if (HasTimeStamp()) timeStamp_ = __rdtsc();
}

std::string _cpu::FullName() const { return CpuFullName(vendor_, family_, model_); }

bool _cpu::CalculateSpeed(unsigned milliseconds) {
    LARGE_INTEGER frequency{}, start{}, end{};
    if (!HasTimeStamp() || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
        return false;
    QueryPerformanceCounter(&start);
    const std::uint64_t ticksStart = __rdtsc();
    Sleep(milliseconds);
    QueryPerformanceCounter(&end);
    const std::uint64_t ticksEnd = __rdtsc();
    const double seconds =
        static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (seconds <= 0) return false;
    speed_ = static_cast<double>(ticksEnd - ticksStart) / seconds / 1e6;
    if (OnSpeedCalculated) OnSpeedCalculated(*this);
    return true;
}

}  // namespace corvex
