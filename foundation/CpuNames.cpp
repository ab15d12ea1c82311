#include "CpuNames.h"

namespace corvex {

_cpusignature SplitSignature(std::uint32_t eax) noexcept {
    _cpusignature s;
    s.type = (eax >> 12) & 0x3;
    s.family = (eax >> 8) & 0xF;
    s.model = (eax >> 4) & 0xF;
    s.stepping = eax & 0xF;
    return s;
}

std::string CpuFullName(const std::string& vendor, unsigned family, unsigned model) {
    std::string vendorWord, familyName, modelWord;
    if (vendor == "GenuineIntel") {
        vendorWord = "Intel";
        switch (family) {
        case 4:
            familyName = "486";
            break;
        case 5:
            familyName = "Pentium";
            if (model == 4) modelWord = "MMX";
            break;
        case 6:
            familyName = "Pentium";
            switch (model) {
            case 1: modelWord = "Pro"; break;
            case 3:
            case 5: modelWord = "II"; break;
            case 7:
            case 8: modelWord = "III"; break;
            case 6: familyName = "Celeron"; break;
            default: break;
            }
            break;
        default:
            break;
        }
    }
    return vendorWord + " " + familyName + " " + modelWord;
}

std::string CpuDescription(unsigned type, unsigned family, unsigned model) {
    const bool overdrive = type == 1;
    std::string text = "Unknown Type";
    switch (family) {
    case 4:
        text = "Intel 486";
        if (overdrive) text += " Overdrive";
        switch (model) {
        case 0:
        case 1: text += " DX"; break;
        case 2: text += " SX"; break;
        case 3: text += " DX2"; break;
        case 4: text += " SL"; break;
        case 5: text += " SX2"; break;
        case 7: text += " DX2 WriteBack"; break;
        case 8: text += " DX4"; break;
        default: break;
        }
        break;
    case 5:
        text = "Intel Pentium";
        if (overdrive) text += " Overdrive";
        switch (model) {
        case 1: text += " 60/66 Mhz"; break;
        case 2: text += " 75-200 Mhz"; break;
        case 3: text += " (486 - Pentuim)"; break;
        case 4: text += " MMX 166/200 Mhz"; break;
        case 6: text += " (75,90,100,120,133)"; break;
        default: break;
        }
        break;
    case 6:
        switch (model) {
        case 1: text = "Intel Pentium Pro"; break;
        case 3: text = "Intel Pentium II"; break;
        case 5: text = "Intel Pentium P6"; break;
        default: break;
        }
        if (overdrive) text += " Overdrive";
        break;
    default:
        break;
    }
    return text;
}

std::string OldCpuDescription(_oldcpu kind) {
    switch (kind) {
    case OLD_CPU_8086: return "8086/8088 Processor";
    case OLD_CPU_286: return "80286 Processor";
    case OLD_CPU_386: return "80386 Processor";
    default: return "80486 Processor";
    }
}

unsigned CountProcessors(std::uint32_t affinityMask) noexcept {
    unsigned count = 0;
    for (; affinityMask; affinityMask &= affinityMask - 1) ++count;
    return count;
}

std::string CpuVendor(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx) {
    std::string vendor;
    for (const std::uint32_t word : {ebx, edx, ecx})
        for (int shift = 0; shift < 32; shift += 8)
            vendor += static_cast<char>((word >> shift) & 0xFF);
    return vendor;
}

}  // namespace corvex
