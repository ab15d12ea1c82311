#pragma once
// The drives of the machine as the Drive Sentinel sees them.
//
//   _clusters     the answer of GetDiskFreeSpace
//   _drivesystem  drive letters, types, free space, the shell's drive icon
//                 and its change notices: one thin wrapper, so tests can
//                 make drives come and go and lose and regain their media
//   Win32Drives   the real one
//   _iconbits     the size and pixels of an icon, to tell two apart
//
// Windows tree only.

#include <cstdint>
#include <string>
#include <vector>

#include "Bitmap.h"

namespace corvex {

struct _clusters {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;
    std::uint32_t totalClusters = 0;
};

class _drivesystem {
public:
    virtual ~_drivesystem() = default;

    virtual std::uint32_t LogicalDrives() = 0;
    // GetDriveType of a root such as "C:\".
    virtual unsigned DriveType(const std::string& root) = 0;
    virtual bool DiskFreeSpace(const std::string& root, _clusters& clusters) = 0;
    // Whether GetDiskFreeSpaceEx exists (not on the first Windows 95).
    virtual bool HasDiskFreeSpaceEx() = 0;
    virtual bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) = 0;
    // The shell's small icon of `path`; empty when there is none.
    virtual _icon SmallIcon(const std::string& path) = 0;
    // Tells the shell that the medium in `path` arrived or went.
    virtual void NotifyMedia(const std::string& path, bool inserted) = 0;
    // Empty drives fail quietly instead of asking the user to insert a
    // disk; the rest of the process's error mode stays as it was.
    virtual void FailCriticalErrors() = 0;
};

// The real drives (one instance for the process; it keeps no state but
// the address of GetDiskFreeSpaceEx).
_drivesystem& Win32Drives() noexcept;

struct _iconbits {
    int width = 0;
    int height = 0;
    int colorBits = 0;  // bits per pixel of the colour picture; 0 for a monochrome icon
    std::vector<std::uint8_t> color;
    std::vector<std::uint8_t> mask;

    bool operator==(const _iconbits& other) const {
        return width == other.width && height == other.height && colorBits == other.colorBits &&
               color == other.color && mask == other.mask;
    }
    bool operator!=(const _iconbits& other) const { return !(*this == other); }
};

// Reads the size, colour bits and mask bits of `icon` into `bits`, reusing
// its buffers; an empty or unreadable icon gives an empty record.
void ReadIconBits(HICON icon, _iconbits& bits);

}  // namespace corvex
