#include "DriveMask.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

TEST(DriveMask, RowsAtStartChangesAndLettersOfMasks) {
    // Per type, whether A:, B:, C: and Z: get a row at start.
    const char* rows[] = {"----", "----", "--xx", "xxxx", "xxxx", "xxxx", "xxxx", "----"};
    for (unsigned type = 0; type < 8; ++type)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ShownAtStart(type, "ABCZ"[i]), rows[type][i] == 'x') << type << " " << "ABCZ"[i];

    const std::uint32_t c = DriveBit(2), d = DriveBit(3), z = DriveBit(25);
    EXPECT_EQ(CompareDriveMasks(c | d, c | z).added, z);
    EXPECT_EQ(CompareDriveMasks(c | d, c | z).removed, d);
    // Bits beyond Z: name no drive: their coming and going is no change.
    EXPECT_FALSE(CompareDriveMasks(c, c | 0xFC000000u).Any());
    std::string seen;
    ForEachDrive(z | c | 0x80000000u, [&](unsigned i) { seen += DriveLetter(i); });
    EXPECT_EQ(seen, "CZ");
    EXPECT_EQ(ClusterBytes(0xFFFFFFFFu, 128, 4096), 4294967295.0 * 524288.0);  // no 32-bit product
}

}  // namespace
}  // namespace corvex
