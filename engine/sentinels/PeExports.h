#pragma once
// Exports of a PE image as the loader mapped it (an address inside the
// image is its offset from the start), read without trusting the image:
// every offset, count and table is checked against the image's size.
//
// Needed where GetProcAddress will not answer: Windows 95/98/ME refuse
// look-ups by ordinal in KERNEL32, whose 16-bit loader functions have no
// names.
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>

namespace corvex {

enum _peexportkind : unsigned char {
    PEEXPORT_FOUND = 0,      // rva is the function's address in the image
    PEEXPORT_FORWARDED = 1,  // the entry names a function of another module
    PEEXPORT_MISSING = 2,    // no such ordinal, or an empty slot
    PEEXPORT_DAMAGED = 3,    // not a PE image, or a table outside it
};

struct _peexport {
    _peexportkind kind = PEEXPORT_DAMAGED;
    std::uint32_t rva = 0;
};

// SizeOfImage from the headers at `image`, of which `available` bytes can
// be read; 0 when they are not the headers of a PE image.
std::uint32_t PeImageSize(const std::uint8_t* image, std::size_t available) noexcept;

// Export `ordinal` of the image of `size` bytes at `image`.
_peexport FindExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal) noexcept;

}  // namespace corvex
