#include "DriveMask.h"

namespace corvex {

bool ShownAtStart(unsigned type, char letter) noexcept {
    switch (type) {
        case DRIVEART_FIXED:
        case DRIVEART_REMOTE:
        case DRIVEART_CDROM:
        case DRIVEART_RAMDISK: return true;
        case DRIVEART_REMOVABLE: return letter != 'A' && letter != 'B';
        default: return false;
    }
}

_drivechange CompareDriveMasks(std::uint32_t remembered, std::uint32_t now) noexcept {
    remembered &= DRIVE_LETTER_BITS;
    now &= DRIVE_LETTER_BITS;
    _drivechange change;
    change.added = now & ~remembered;
    change.removed = remembered & ~now;
    return change;
}

double ClusterBytes(std::uint32_t clusters, std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector) noexcept {
    return static_cast<double>(clusters) * static_cast<double>(sectorsPerCluster) *
           static_cast<double>(bytesPerSector);
}

}  // namespace corvex
