#include "CpuNames.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(SplitSignature, FieldsOfTheSignatureWord) {
    // Type 1, family 6, model 8, stepping 3, with extended bits set above.
    const _cpusignature s = SplitSignature(0x0FF01683u);
    EXPECT_EQ(s.type, 1u);
    EXPECT_EQ(s.family, 6u);
    EXPECT_EQ(s.model, 8u);
    EXPECT_EQ(s.stepping, 3u);
    const _cpusignature all = SplitSignature(0xFFFFFFFFu);
    EXPECT_EQ(all.type, 3u);
    EXPECT_EQ(all.family, 15u);
    EXPECT_EQ(all.model, 15u);
    EXPECT_EQ(all.stepping, 15u);
}

TEST(CpuFullName, IntelTable) {
    const struct {
        unsigned family, model;
        const char* name;
    } cases[] = {
        {4, 0, "Intel 486 "},          {4, 8, "Intel 486 "},
        {5, 2, "Intel Pentium "},      {5, 4, "Intel Pentium MMX"},
        {6, 1, "Intel Pentium Pro"},   {6, 3, "Intel Pentium II"},
        {6, 5, "Intel Pentium II"},    {6, 7, "Intel Pentium III"},
        {6, 8, "Intel Pentium III"},   {6, 6, "Intel Celeron "},
        {6, 9, "Intel Pentium "},      {15, 2, "Intel  "},
        {3, 0, "Intel  "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CpuFullName("GenuineIntel", c.family, c.model), c.name)
            << c.family << "/" << c.model;
}

TEST(CpuFullName, OtherVendorsKeepOnlyTheBlanks) {
    EXPECT_EQ(CpuFullName("AuthenticAMD", 6, 3), "  ");
    EXPECT_EQ(CpuFullName("Unknown Vendor", 5, 4), "  ");
    EXPECT_EQ(CpuFullName("genuineintel", 5, 4), "  ");
}

TEST(CpuDescription, FamiliesModelsAndOverdrive) {
    const struct {
        unsigned type, family, model;
        const char* text;
    } cases[] = {
        {0, 4, 0, "Intel 486 DX"},
        {0, 4, 1, "Intel 486 DX"},
        {0, 4, 2, "Intel 486 SX"},
        {1, 4, 3, "Intel 486 Overdrive DX2"},
        {0, 4, 4, "Intel 486 SL"},
        {0, 4, 5, "Intel 486 SX2"},
        {0, 4, 6, "Intel 486"},
        {0, 4, 7, "Intel 486 DX2 WriteBack"},
        {0, 4, 8, "Intel 486 DX4"},
        {0, 5, 1, "Intel Pentium 60/66 Mhz"},
        {1, 5, 2, "Intel Pentium Overdrive 75-200 Mhz"},
        {0, 5, 3, "Intel Pentium (486 - Pentuim)"},
        {0, 5, 4, "Intel Pentium MMX 166/200 Mhz"},
        {0, 5, 5, "Intel Pentium"},
        {0, 5, 6, "Intel Pentium (75,90,100,120,133)"},
        {0, 6, 1, "Intel Pentium Pro"},
        {0, 6, 3, "Intel Pentium II"},
        {0, 6, 5, "Intel Pentium P6"},
        {1, 6, 3, "Intel Pentium II Overdrive"},
        {0, 6, 7, "Unknown Type"},
        {0, 15, 1, "Unknown Type"},
        {2, 5, 1, "Intel Pentium 60/66 Mhz"},  // type 2 (dual) is not Overdrive
    };
    for (const auto& c : cases)
        EXPECT_EQ(CpuDescription(c.type, c.family, c.model), c.text)
            << c.type << "/" << c.family << "/" << c.model;
}

TEST(CpuDescription, ProcessorsWithoutIdentification) {
    EXPECT_EQ(OldCpuDescription(OLD_CPU_486), "80486 Processor");
    EXPECT_EQ(OldCpuDescription(OLD_CPU_386), "80386 Processor");
    EXPECT_EQ(OldCpuDescription(OLD_CPU_286), "80286 Processor");
    EXPECT_EQ(OldCpuDescription(OLD_CPU_8086), "8086/8088 Processor");
}

TEST(CountProcessors, BitsOfTheAffinityMask) {
    EXPECT_EQ(CountProcessors(0), 0u);
    EXPECT_EQ(CountProcessors(1), 1u);
    EXPECT_EQ(CountProcessors(0x5), 2u);
    EXPECT_EQ(CountProcessors(0x80000000u), 1u);
    EXPECT_EQ(CountProcessors(0xFFFFFFFFu), 32u);
}

TEST(CpuVendor, RegistersInLeafZeroOrder) {
    // "GenuineIntel" as CPUID leaf 0 hands it back: EBX "Genu", EDX "ineI",
    // ECX "ntel", each little-endian.
    EXPECT_EQ(CpuVendor(0x756E6547u, 0x49656E69u, 0x6C65746Eu), "GenuineIntel");
    EXPECT_EQ(CpuVendor(0x68747541u, 0x69746E65u, 0x444D4163u), "AuthenticAMD");
}

}  // namespace
}  // namespace corvex
