#pragma once
// What the processor identification makes of the CPUID words: the fields of
// the signature, the full name and the description, and the processor
// count of an affinity mask.
//
// Portable: no Windows header.

#include <cstdint>
#include <string>

namespace corvex {

// Fields of EAX of CPUID leaf 1.
struct _cpusignature {
    unsigned type = 0;      // bits 12-13
    unsigned family = 0;    // bits 8-11
    unsigned model = 0;     // bits 4-7
    unsigned stepping = 0;  // bits 0-3
};
_cpusignature SplitSignature(std::uint32_t eax) noexcept;

// A processor without CPUID, as the older-processor tests tell it.
enum _oldcpu : unsigned char {
    OLD_CPU_486 = 0,
    OLD_CPU_386 = 1,
    OLD_CPU_286 = 2,
    OLD_CPU_8086 = 3,
};

// Vendor word, family name and model word joined by blanks; the words are
// named for "GenuineIntel" only and are empty otherwise (the blanks stay).
std::string CpuFullName(const std::string& vendor, unsigned family, unsigned model);

// The description of a processor with CPUID.
std::string CpuDescription(unsigned type, unsigned family, unsigned model);
// The description of a processor without CPUID.
std::string OldCpuDescription(_oldcpu kind);

// Number of bits set in an affinity mask: the processor count.
unsigned CountProcessors(std::uint32_t affinityMask) noexcept;

// The 12-character vendor text of CPUID leaf 0 (EBX, EDX, ECX in that order).
std::string CpuVendor(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx);

}  // namespace corvex
