#include "DriveMask.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

TEST(DriveMask, WhichDrivesGetARowAtStart) {
    // Columns: A:, B:, C:, Z:.
    const struct {
        unsigned type;
        const char* rows;
    } cases[] = {
        {DRIVEART_UNKNOWN, "----"}, {DRIVEART_NO_ROOT_DIR, "----"}, {DRIVEART_REMOVABLE, "--xx"},
        {DRIVEART_FIXED, "xxxx"},   {DRIVEART_REMOTE, "xxxx"},      {DRIVEART_CDROM, "xxxx"},
        {DRIVEART_RAMDISK, "xxxx"}, {7, "----"},                    {0xFFFF, "----"},
    };
    const char letters[] = {'A', 'B', 'C', 'Z'};
    for (const auto& c : cases)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ShownAtStart(c.type, letters[i]), c.rows[i] == 'x') << c.type << " " << letters[i];
}

TEST(DriveMask, ChangesBetweenTwoMasksAndTheLettersOfAMask) {
    const std::uint32_t c = DriveBit(2), d = DriveBit(3), z = DriveBit(25);
    const _drivechange change = CompareDriveMasks(c | d, c | z);
    EXPECT_EQ(change.added, z);
    EXPECT_EQ(change.removed, d);
    EXPECT_TRUE(change.Any());
    EXPECT_FALSE(CompareDriveMasks(c | z, c | z).Any());
    // Bits beyond Z: name no drive: their coming and going is no change.
    EXPECT_FALSE(CompareDriveMasks(c, c | 0xFC000000u).Any());
    EXPECT_EQ(DriveBit(26), 0u);

    std::string seen;
    ForEachDrive(0xFFFFFFFFu, [&](unsigned i) { seen += DriveLetter(i); });
    EXPECT_EQ(seen, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    seen.clear();
    ForEachDrive(z | c | 0x80000000u, [&](unsigned i) { seen += DriveLetter(i); });
    EXPECT_EQ(seen, "CZ");
}

TEST(DriveMask, ClusterBytesBeyondThe32BitRange) {
    // A 252 GiB drive of 4 KiB clusters, and the largest figures there are.
    EXPECT_EQ(ClusterBytes(66053021, 8, 512), 270553174016.0);
    EXPECT_EQ(ClusterBytes(0xFFFFFFFFu, 128, 4096), 4294967295.0 * 524288.0);
    EXPECT_EQ(ClusterBytes(0, 8, 512), 0.0);
}

}  // namespace
}  // namespace corvex
