#include "OsVersion.h"

namespace corvex {

_winrelease ReleaseOf(const _osversion& version) {
    const unsigned build = version.build & 0xFFFFu;
    switch (version.platform) {
        case _osversion::WIN32_WINDOWS:
            if (build < 1000) return RELEASE_WIN95;
            if (build <= 1111) return RELEASE_WIN95_OSR;
            return RELEASE_WIN98;
        case _osversion::WIN32_NT:
            if (version.major == 4) return RELEASE_WINNT;
            if (version.major == 5) return RELEASE_WIN2000;
            return RELEASE_UNKNOWN;
        default:
            return RELEASE_OTHER_PLATFORM;
    }
}

std::string DescribeSystem(const _osversion& version) {
    std::string name;
    switch (ReleaseOf(version)) {
        case RELEASE_WIN95: name = "Win95"; break;
        case RELEASE_WIN95_OSR: name = "Win95 OSR"; break;
        case RELEASE_WIN98: name = "Win98"; break;
        case RELEASE_WINNT: name = "WinNT"; break;
        case RELEASE_WIN2000: name = "Win2000"; break;
        default: name = UnknownSystem(); break;
    }
    return name + " " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + " (" +
           std::to_string(version.build & 0xFFFFu) + ") " + version.servicePack;
}

}  // namespace corvex
