#pragma once
// The clock every benchmark reads: seconds from the performance counter.

#include <windows.h>

inline double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Processor time of the calling thread (user + kernel), in seconds: what the
// work cost this thread, however busy the machine was with other things. It
// leaves out the wine server and the X server. Under Wine it is counted in
// clock ticks of 10 ms: measure rounds of a second or more.
inline double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) * 1e-7;
}
