// What a trace line costs when it is not written: Log with a level above
// the log's Level, and Log while the log is off, each against a call of an
// empty function that is not inlined and takes the same arguments.
//
//   bench_debug_log [calls]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Debug_Zolt2.h"
#include "BenchClock.h"

namespace {

__attribute__((noinline)) corvex::_debugerror Empty(int level, const char* format, ...) {
    __asm__ volatile("" ::: "memory");
    return level < 0 && format ? corvex::DEBUG_ERROR : corvex::DEBUG_OK;
}

// Best of five rounds, in nanoseconds per call.
template <class Call>
double NanosecondsPerCall(long calls, Call call) {
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        volatile int sink = 0;
        const double start = Seconds();
        for (long i = 0; i < calls; ++i) sink = sink + call(static_cast<int>(i));
        const double perCall = (Seconds() - start) * 1e9 / static_cast<double>(calls);
        if (perCall < best) best = perCall;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const long calls = argc > 1 ? std::atol(argv[1]) : 20000000L;
    corvex::_debug* log = corvex::Debugger();
    if (!log) return 1;

    const double empty = NanosecondsPerCall(calls, [](int i) {
        return static_cast<int>(Empty(50, "TPULSE.Refresh: %d %s", i, "tick"));
    });

    log->SetLevel(10);
    const double filteredOff = NanosecondsPerCall(calls, [](int i) {
        return static_cast<int>(corvex::Log(50, "TPULSE.Refresh: %d %s", i, "tick"));
    });
    log->SetLevel(100);
    const double off = NanosecondsPerCall(calls, [](int i) {
        return static_cast<int>(corvex::Log(50, "TPULSE.Refresh: %d %s", i, "tick"));
    });

    // Filtered while the log is on (its output goes nowhere).
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nul);
    log->SetConsole(true);
    log->SetLevel(0);
    log->SetDebugging(true);
    log->SetLevel(10);
    const double filteredOn = NanosecondsPerCall(calls, [](int i) {
        return static_cast<int>(corvex::Log(50, "TPULSE.Refresh: %d %s", i, "tick"));
    });
    log->SetLevel(0);
    log->SetDebugging(false);
    CloseHandle(nul);

    std::printf("calls per round: %ld (best of 5 rounds)\n", calls);
    std::printf("empty non-inlined call:        %6.2f ns\n", empty);
    std::printf("Log filtered out (log off):    %6.2f ns  ratio %.2f\n", filteredOff,
                filteredOff / empty);
    std::printf("Log filtered out (log on):     %6.2f ns  ratio %.2f\n", filteredOn,
                filteredOn / empty);
    std::printf("Log within level, log off:     %6.2f ns  ratio %.2f\n", off, off / empty);
    return 0;
}
