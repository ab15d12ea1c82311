#pragma once
// Windows release codes and the one-line system description, worked out
// from a version record. Portable: the Win32 query lives in System_Zolt2.

#include <cstdint>
#include <string>

namespace corvex {

// One byte; callers compare codes by value (the 95/98/ME family is up to 3,
// the NT family 4 and 5, layered windows exist above 4).
enum _winrelease : unsigned char {
    RELEASE_WIN95 = 0,
    RELEASE_WIN95_OSR = 1,
    RELEASE_WIN98 = 2,  // also ME
    RELEASE_WINNT = 4,
    RELEASE_WIN2000 = 5,
    RELEASE_OTHER_PLATFORM = 7,
    RELEASE_UNKNOWN = 8,  // another NT version, or the query failed
};

// What GetVersionEx reports, reduced to what the release rules need.
struct _osversion {
    enum Platform : unsigned { WIN32S = 0, WIN32_WINDOWS = 1, WIN32_NT = 2 };
    unsigned platform = WIN32_NT;
    unsigned major = 0;
    unsigned minor = 0;
    std::uint32_t build = 0;  // as reported; only the low 16 bits count
    std::string servicePack;
};

// Release code of a successful query.
_winrelease ReleaseOf(const _osversion& version);

// "Win98 4.10 (1998) <service pack>", "Unknown 6.1 (7601) ..." and so on.
std::string DescribeSystem(const _osversion& version);

// The description when the version query itself failed.
inline const char* UnknownSystem() { return "Unknown"; }

}  // namespace corvex
