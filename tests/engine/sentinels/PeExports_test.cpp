#include "PeExports.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace corvex {
namespace {

// A mapped PE image with an export directory at 0x200: ordinals 35 .. 38,
// 35 a function, 36 an empty slot, 37 a forwarder, 38 a function.
class PeImage {
public:
    explicit PeImage(std::uint16_t magic = 0x10B) : bytes(0x1000, 0) {
        bytes[0] = 'M';
        bytes[1] = 'Z';
        Put32(0x3C, kNt);
        bytes[kNt] = 'P';
        bytes[kNt + 1] = 'E';
        const std::size_t optional = kNt + 24;
        const bool wide = magic == 0x20B;
        Put16(kNt + 20, wide ? 240 : 224);  // SizeOfOptionalHeader
        Put16(optional, magic);
        Put32(optional + 56, 0x1000);            // SizeOfImage
        Put32(optional + (wide ? 108 : 92), 16);  // NumberOfRvaAndSizes
        directory = optional + (wide ? 112 : 96);
        Put32(directory, kExports);
        Put32(directory + 4, 0x100);
        Put32(kExports + 16, 35);     // Base
        Put32(kExports + 20, 4);      // NumberOfFunctions
        Put32(kExports + 28, 0x280);  // AddressOfFunctions
        Put32(0x280, 0x800);
        Put32(0x284, 0);
        Put32(0x288, 0x2C0);  // inside the export directory
        Put32(0x28C, 0x900);
    }
    void Put16(std::size_t at, std::uint32_t v) {
        bytes[at] = static_cast<std::uint8_t>(v);
        bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void Put32(std::size_t at, std::uint32_t v) {
        Put16(at, v & 0xFFFF);
        Put16(at + 2, v >> 16);
    }
    _peexport Find(std::uint32_t ordinal) const { return FindExportByOrdinal(bytes.data(), bytes.size(), ordinal); }

    static constexpr std::size_t kNt = 0x80;
    static constexpr std::uint32_t kExports = 0x200;
    std::vector<std::uint8_t> bytes;
    std::size_t directory = 0;
};

TEST(PeExports, OrdinalsOfASoundImage) {
    for (std::uint16_t magic : {0x10B, 0x20B}) {
        const PeImage image(magic);
        EXPECT_EQ(PeImageSize(image.bytes.data(), 0x400), 0x1000u) << magic;
        const struct {
            std::uint32_t ordinal;
            _peexportkind kind;
            std::uint32_t rva;
        } cases[] = {{34, PEEXPORT_MISSING, 0}, {35, PEEXPORT_FOUND, 0x800},     {36, PEEXPORT_MISSING, 0},
                     {37, PEEXPORT_FORWARDED, 0x2C0}, {38, PEEXPORT_FOUND, 0x900}, {39, PEEXPORT_MISSING, 0}};
        for (const auto& c : cases) {
            const _peexport found = image.Find(c.ordinal);
            EXPECT_EQ(found.kind, c.kind) << magic << " " << c.ordinal;
            EXPECT_EQ(found.rva, c.rva) << magic << " " << c.ordinal;
        }
    }
}

TEST(PeExports, DamagedImagesAreRefusedWithoutReadingOutside) {
    struct Damage {
        const char* what;
        void (*apply)(PeImage&);
    };
    const Damage damages[] = {
        {"no MZ", [](PeImage& i) { i.bytes[0] = 'X'; }},
        {"headers beyond the end", [](PeImage& i) { i.Put32(0x3C, 0xFFFFFFF0u); }},
        {"no PE signature", [](PeImage& i) { i.bytes[PeImage::kNt + 2] = 1; }},
        {"unknown magic", [](PeImage& i) { i.Put16(PeImage::kNt + 24, 0x107); }},
        {"optional header too short", [](PeImage& i) { i.Put16(PeImage::kNt + 20, 60); }},
        {"directory beyond the end", [](PeImage& i) { i.Put32(i.directory, 0xFFFFFFE0u); }},
        {"function table beyond the end", [](PeImage& i) { i.Put32(PeImage::kExports + 28, 0xFFC); }},
        {"huge function count", [](PeImage& i) { i.Put32(PeImage::kExports + 20, 0x40000000u); }},
        {"address beyond the image", [](PeImage& i) { i.Put32(0x280, 0x1000); }},
    };
    for (const Damage& d : damages) {
        PeImage image;
        d.apply(image);
        // Exactly the image's bytes: the sanitizers see any read beyond.
        const std::vector<std::uint8_t> exact(image.bytes);
        EXPECT_EQ(FindExportByOrdinal(exact.data(), exact.size(), 35).kind, PEEXPORT_DAMAGED) << d.what;
    }
    const PeImage image;
    // Cut within the headers, within the export directory, before the table.
    for (std::size_t size : {0u, 0x3Fu, 0x97u, 0x200u, 0x27Fu}) {
        const std::vector<std::uint8_t> cut(image.bytes.begin(), image.bytes.begin() + static_cast<long>(size));
        EXPECT_EQ(FindExportByOrdinal(cut.data(), cut.size(), 35).kind, PEEXPORT_DAMAGED) << size;
        if (size < 0x100) {
            EXPECT_EQ(PeImageSize(cut.data(), cut.size()), 0u) << size;
        }
    }
    EXPECT_EQ(FindExportByOrdinal(nullptr, 100, 35).kind, PEEXPORT_DAMAGED);
}

TEST(PeExports, AnImageWithoutExports) {
    PeImage image;
    image.Put32(image.directory, 0);
    image.Put32(image.directory + 4, 0);
    EXPECT_EQ(image.Find(35).kind, PEEXPORT_MISSING);
}

}  // namespace
}  // namespace corvex
