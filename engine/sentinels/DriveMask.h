#pragma once
// Drive letters as the logical-drive mask holds them: which letter a bit
// stands for, which drives get a row at start-up, what changed between two
// masks, and the size arithmetic of a cluster count.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

// The values GetDriveType answers (prefixed: the plain names are macros).
enum _driveart : std::uint16_t {
    DRIVEART_UNKNOWN = 0,
    DRIVEART_NO_ROOT_DIR = 1,
    DRIVEART_REMOVABLE = 2,
    DRIVEART_FIXED = 3,
    DRIVEART_REMOTE = 4,
    DRIVEART_CDROM = 5,
    DRIVEART_RAMDISK = 6,
};

// Bits 0 .. 25 of the mask are A: .. Z:; the bits above name no letter
// ('A' + 26 is '['), so nothing reads them.
constexpr unsigned DRIVE_LETTERS = 26;
constexpr std::uint32_t DRIVE_LETTER_BITS = (1u << DRIVE_LETTERS) - 1;

constexpr char DriveLetter(unsigned index) noexcept { return static_cast<char>('A' + index); }
constexpr std::uint32_t DriveBit(unsigned index) noexcept { return index < DRIVE_LETTERS ? 1u << index : 0u; }

// Whether a drive found at start-up gets a row: fixed, network, CD-ROM and
// RAM drives do, removable ones too except the floppy letters A: and B:
// (asking an empty floppy drive for its space each second would keep its
// motor running); unknown drives and letters without a root do not.
bool ShownAtStart(unsigned type, char letter) noexcept;

// The letters that came and went between two masks.
struct _drivechange {
    std::uint32_t added = 0;
    std::uint32_t removed = 0;
    bool Any() const noexcept { return added != 0 || removed != 0; }
};
_drivechange CompareDriveMasks(std::uint32_t remembered, std::uint32_t now) noexcept;

// Calls visit(index) for every letter bit set in `mask`, A: first.
template <class Visit>
void ForEachDrive(std::uint32_t mask, Visit&& visit) {
    for (unsigned i = 0; i < DRIVE_LETTERS; ++i)
        if (mask & DriveBit(i)) visit(i);
}

// The bytes of `clusters` clusters of `sectorsPerCluster` sectors of
// `bytesPerSector` bytes, without the 32-bit overflow of the product (a
// drive beyond 4 GiB is normal).
double ClusterBytes(std::uint32_t clusters, std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector) noexcept;

}  // namespace corvex
