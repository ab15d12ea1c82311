#include "PeExports.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace corvex {
namespace {

// A mapped PE image (PE32, or PE32+ with `wide`) exporting ordinals 35 .. 38
// from 0x200: 35 a function, 36 an empty slot, 37 a forwarder, 38 a function.
struct PeImage {
    explicit PeImage(bool wide = false) : bytes(0x1000, 0) {
        bytes[0] = 'M', bytes[1] = 'Z', bytes[0x80] = 'P', bytes[0x81] = 'E';
        Put(0x3C, 0x80);
        Put(0x94, wide ? 240 : 224);  // SizeOfOptionalHeader
        Put(0x98, wide ? 0x20B : 0x10B);
        Put(0x98 + 56, 0x1000);  // SizeOfImage
        Put(0x98 + (wide ? 108 : 92), 16);
        directory = 0x98 + (wide ? 112 : 96);
        Put(directory, 0x200);
        Put(directory + 4, 0x100);
        Put(0x210, 35), Put(0x214, 4), Put(0x21C, 0x280);  // base, count, table
        Put(0x280, 0x800), Put(0x288, 0x2C0), Put(0x28C, 0x900);
    }
    void Put(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::vector<std::uint8_t> bytes;
    std::size_t directory = 0;
};

TEST(PeExports, OrdinalsOfASoundImage) {
    for (bool wide : {false, true}) {
        const PeImage image(wide);
        EXPECT_EQ(PeImageSize(image.bytes.data(), 0x400), 0x1000u);
        const _peexportkind kinds[] = {PEEXPORT_MISSING, PEEXPORT_FOUND, PEEXPORT_MISSING,
                                       PEEXPORT_FORWARDED, PEEXPORT_FOUND, PEEXPORT_MISSING};
        const std::uint32_t rvas[] = {0, 0x800, 0, 0x2C0, 0x900, 0};
        for (std::uint32_t ordinal = 34; ordinal <= 39; ++ordinal) {
            const _peexport found = FindExportByOrdinal(image.bytes.data(), image.bytes.size(), ordinal);
            EXPECT_EQ(found.kind, kinds[ordinal - 34]) << wide << " " << ordinal;
            EXPECT_EQ(found.rva, rvas[ordinal - 34]) << wide << " " << ordinal;
        }
    }
}

TEST(PeExports, DamagedImagesAreRefusedWithoutReadingOutside) {
    // (offset, value) of each damage: no MZ, headers beyond the end, no PE
    // signature, unknown magic, short optional header, directory beyond
    // the end, table beyond the end, a count whose table wraps 32 bits, an
    // address beyond the image.
    const std::pair<std::size_t, std::uint32_t> damages[] = {
        {0, 0}, {0x3C, 0xFFFFFFF0u}, {0x80, 0x4550 + 0x10000}, {0x98, 0x107}, {0x94, 60},
        {0x98 + 96, 0xFFFFFFE0u}, {0x21C, 0xFFC}, {0x214, 0x40000000u}, {0x280, 0x1000}};
    for (const auto& damage : damages) {
        PeImage image;
        image.Put(damage.first, damage.second);
        EXPECT_EQ(FindExportByOrdinal(image.bytes.data(), image.bytes.size(), 35).kind, PEEXPORT_DAMAGED)
            << damage.first;
    }
    // Cut within the headers, within the export directory, before the table:
    // the sanitizers see any read beyond the copy.
    const PeImage image;
    for (std::size_t size : {0u, 0x3Fu, 0x97u, 0x200u, 0x27Fu}) {
        const std::vector<std::uint8_t> cut(image.bytes.begin(), image.bytes.begin() + static_cast<long>(size));
        EXPECT_EQ(FindExportByOrdinal(cut.data(), cut.size(), 35).kind, PEEXPORT_DAMAGED) << size;
    }
    EXPECT_EQ(PeImageSize(image.bytes.data(), 0x97), 0u);
}

}  // namespace
}  // namespace corvex
