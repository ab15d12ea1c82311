#include "OsVersion.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

_osversion Version(unsigned platform, unsigned major, unsigned minor,
                   std::uint32_t build, const char* servicePack = "") {
    _osversion v;
    v.platform = platform;
    v.major = major;
    v.minor = minor;
    v.build = build;
    v.servicePack = servicePack;
    return v;
}

TEST(OsVersion, ReleaseCodesByFamilyAndBuild) {
    constexpr unsigned w9x = _osversion::WIN32_WINDOWS, nt = _osversion::WIN32_NT;
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 0, 950)), RELEASE_WIN95);
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 0, 999)), RELEASE_WIN95);
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 0, 1000)), RELEASE_WIN95_OSR);
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 0, 1111)), RELEASE_WIN95_OSR);
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 10, 1112)), RELEASE_WIN98);
    // 95/98 report the version in the high word of the build: only the low
    // word counts (Windows ME: 4.90.3000).
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 90, 0x045A0BB8)), RELEASE_WIN98);
    EXPECT_EQ(ReleaseOf(Version(w9x, 4, 0, 0x040003B6)), RELEASE_WIN95);
    EXPECT_EQ(ReleaseOf(Version(nt, 4, 0, 1381)), RELEASE_WINNT);
    EXPECT_EQ(ReleaseOf(Version(nt, 5, 0, 2195)), RELEASE_WIN2000);
    EXPECT_EQ(ReleaseOf(Version(nt, 5, 1, 2600)), RELEASE_WIN2000);
    EXPECT_EQ(ReleaseOf(Version(nt, 6, 1, 7601)), RELEASE_UNKNOWN);
    EXPECT_EQ(ReleaseOf(Version(nt, 3, 51, 1057)), RELEASE_UNKNOWN);
    EXPECT_EQ(ReleaseOf(Version(_osversion::WIN32S, 1, 30, 0)), RELEASE_OTHER_PLATFORM);
    EXPECT_EQ(ReleaseOf(Version(3, 10, 0, 0)), RELEASE_OTHER_PLATFORM);
}

TEST(OsVersion, Description) {
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32_WINDOWS, 4, 10, 0x040A07CE, " A ")),
              "Win98 4.10 (1998)  A ");
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32_WINDOWS, 4, 0, 1111)),
              "Win95 OSR 4.0 (1111) ");
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32_NT, 5, 0, 2195, "Service Pack 4")),
              "Win2000 5.0 (2195) Service Pack 4");
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32_NT, 4, 0, 1381, "Service Pack 6")),
              "WinNT 4.0 (1381) Service Pack 6");
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32_NT, 6, 1, 7601, "Service Pack 1")),
              "Unknown 6.1 (7601) Service Pack 1");
    EXPECT_EQ(DescribeSystem(Version(_osversion::WIN32S, 1, 30, 70000)), "Unknown 1.30 (4464) ");
}

}  // namespace
}  // namespace corvex
