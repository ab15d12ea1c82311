#pragma once
// _cpu: the processor identification (CPUID leaves 0 and 1, the time-stamp
// counter) and ProcessorCount(), the number of processors the process's
// system affinity mask names.

#include <cstdint>
#include <functional>
#include <string>

#include "Component.h"

namespace corvex {

// Processors in the system affinity mask of this process (0 .. 32).
unsigned ProcessorCount();

class _cpu : public _component {
public:
    // Reads the identification at once; the speed is measured only when
    // asked (CalculateSpeed), since it takes a while.
    explicit _cpu(_component* owner = nullptr);

    // ---- properties (read-only)
    std::uint32_t CPUID1() const noexcept { return eax_; }
    std::uint32_t CPUID2() const noexcept { return ebx_; }
    std::uint32_t CPUID3() const noexcept { return ecx_; }
    std::uint32_t CPUID4() const noexcept { return edx_; }
    unsigned ProcessorType() const noexcept { return type_; }
    unsigned ProcessorFamily() const noexcept { return family_; }
    unsigned ProcessorModel() const noexcept { return model_; }
    unsigned ProcessorStepping() const noexcept { return stepping_; }
    const std::string& ProcessorVendor() const noexcept { return vendor_; }
    double ProcessorSpeed() const noexcept { return speed_; }  // MHz, 0 until measured
    const std::string& ProcessorDescription() const noexcept { return description_; }
    std::uint16_t TimeStampHiHi() const noexcept { return Word(48); }
    std::uint16_t TimeStampHiLo() const noexcept { return Word(32); }
    std::uint16_t TimeStampLoHi() const noexcept { return Word(16); }
    std::uint16_t TimeStampLoLo() const noexcept { return Word(0); }
    bool HasFPU() const noexcept { return hasCpuid_ && (edx_ & (1u << 0)); }
    bool HasTimeStamp() const noexcept { return hasCpuid_ && (edx_ & (1u << 4)); }
    bool HasAPIC() const noexcept { return hasCpuid_ && (edx_ & (1u << 9)); }
    bool HasCPUID() const noexcept { return hasCpuid_; }
    const char* VCLVersion() const noexcept { return "1.02"; }
    std::string FullName() const;

    // Told when CalculateSpeed has a new ProcessorSpeed.
    std::function<void(_cpu&)> OnSpeedCalculated;

    // ---- operations
    // Counts time-stamp ticks against the performance counter for about
    // `milliseconds` on the calling thread; sets ProcessorSpeed and tells
    // OnSpeedCalculated. False without a time-stamp counter.
    bool CalculateSpeed(unsigned milliseconds = 100);

private:
    std::uint16_t Word(int shift) const noexcept {
        return static_cast<std::uint16_t>((timeStamp_ >> shift) & 0xFFFF);
    }

    bool hasCpuid_ = false;
    std::uint32_t eax_ = 0, ebx_ = 0, ecx_ = 0, edx_ = 0;
    unsigned type_ = 0, family_ = 0, model_ = 0, stepping_ = 0;
    std::string vendor_ = "Unknown Vendor";
    std::string description_;
    std::uint64_t timeStamp_ = 0;
    double speed_ = 0;
};

}  // namespace corvex
