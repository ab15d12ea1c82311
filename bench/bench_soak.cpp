// Thirty days of the engine's tick, as fast as it goes: the whole bar with
// its eleven Sentinels, shown, plus a band of graph Speeders whose loads
// wander every tick, the CPU Sentinel on a synthetic idle source, driven
// through TPULSE.TIMERTimer with a clock that advances one second a tick.
// It prints, at the start and as it goes, what must not grow: the live
// handles of the window layer (_livehandles), the windows of this thread,
// the system's GDI and USER object counts (0 under Wine, whose
// GetGuiResources is a stub), kernel handles, threads and memory.
//
//   bench_soak [--ticks=N] [--seconds=S] [--full]
//
// By default it stops after 100000 ticks or 120 seconds, whichever comes
// first, and prints the rate and what the full 2.6 million ticks would
// take; --full runs them all.

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchClock.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "CpuSentinel.h"
#include "Heart_Zolt2.h"
#include "Impulse_Zolt2.h"
#include "Timer.h"
#include "WinHandle.h"

namespace {

using namespace corvex;

constexpr long FULL_TICKS = 2600000;  // 30 days at 1 Hz

// ---- synthetic sources

// A load between 0 and 100 % that never repeats for long.
double Wave(long tick, int phase) {
    const double t = (tick + phase * 7) * 0.13;
    return 50 + 45 * std::sin(t) + 4 * std::sin(t * 5.3);
}

// The CPU Sentinel's idle times and clock: one second of clock a tick,
// each processor idle by its own wave.
std::uint64_t g_clock = 0;  // 100-nanosecond units
long g_tick = 0;
std::uint64_t g_idle[64] = {};
std::uint32_t SoakIdle(std::uint64_t* idle, std::uint32_t capacity) {
    const std::uint32_t count = capacity < 64 ? capacity : 64;
    for (std::uint32_t i = 0; i < count; ++i) idle[i] = g_idle[i];
    return count;
}
std::uint64_t SoakClock() { return g_clock; }
void AdvanceSources() {
    ++g_tick;
    g_clock += 10000000;
    for (int i = 0; i < 64; ++i)
        g_idle[i] += static_cast<std::uint64_t>((100 - Wave(g_tick, i)) / 100 * 10000000);
}

// Graph Speeders that change every tick, with meters (amounts in bytes).
class _soakspeeder final : public _gspeeder {
public:
    _soakspeeder(_component* owner, int phase) : _gspeeder(owner), phase_(phase) {
        SetName("soak " + std::to_string(phase));
    }
    _result RefreshPulse(unsigned elapsed) override {
        const double used = Wave(g_tick, phase_);
        SetAmounts((100 - used) * 10485760.0, 100 * 10485760.0);
        return _gspeeder::RefreshPulse(elapsed);
    }

private:
    int phase_;
};

class _soaksentinel final : public _sentinel {
public:
    explicit _soaksentinel(_component* owner) : _sentinel(owner) { SetCaption("Soak Sentinel"); }
    _result PlugSpeeders() override {
        for (int i = 0; i < 8; ++i) {
            _soakspeeder& speeder = Make<_soakspeeder>(i);
            AddSpeeder(&speeder);
        }
        return _OK;
    }
};

// ---- what must not grow

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountOne, count);
    return TRUE;
}

struct Counts {
    _livehandles live{};
    int windows = 0;  // top-level windows of this thread and their children
    DWORD gdi = 0, user = 0;
    DWORD handles = 0;
    int threads = 0;
    std::size_t privateBytes = 0, workingSet = 0;

    static Counts Now() {
        Counts c;
        c.live = _livehandles::Now();
        EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&c.windows));
        c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        using HandleCount = BOOL(WINAPI*)(HANDLE, PDWORD);
        if (const auto count = reinterpret_cast<HandleCount>(
                reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount"))))
            count(GetCurrentProcess(), &c.handles);
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot != INVALID_HANDLE_VALUE) {
            THREADENTRY32 entry{};
            entry.dwSize = sizeof entry;
            for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
                if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++c.threads;
            CloseHandle(snapshot);
        }
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
            c.privateBytes = memory.PagefileUsage;
            c.workingSet = memory.WorkingSetSize;
        }
        return c;
    }
};

void PrintHeader() {
    std::printf("%9s %5s %5s %5s %5s %5s %4s %5s %4s %4s %6s %4s %4s %7s %4s %8s %8s\n", "tick", "pens", "brush",
                "fonts", "bmps", "rgns", "dcs", "icons", "menu", "iml", "ctlwin", "wins", "gdi", "usr/hnd", "thr",
                "priv KB", "ws KB");
}

void Print(long tick, const Counts& c) {
    const _livehandles& l = c.live;
    std::printf("%9ld %5ld %5ld %5ld %5ld %5ld %4ld %5ld %4ld %4ld %6ld %4d %4lu %3lu/%-3lu %4d %8zu %8zu\n", tick,
                l.pens, l.brushes, l.fonts, l.bitmaps, l.regions, l.dcs, l.icons, l.menus, l.imagelists, l.windows,
                c.windows, static_cast<unsigned long>(c.gdi), static_cast<unsigned long>(c.user),
                static_cast<unsigned long>(c.handles), c.threads, c.privateBytes / 1024, c.workingSet / 1024);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = 100000;
    double seconds = 120;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--ticks=", 8) == 0) {
            ticks = std::atol(argv[i] + 8);
            seconds = 1e30;
        } else if (std::strncmp(argv[i], "--seconds=", 10) == 0) {
            seconds = std::atof(argv[i] + 10);
        } else if (std::strcmp(argv[i], "--full") == 0) {
            ticks = FULL_TICKS;
            seconds = 1e30;
        } else {
            std::fprintf(stderr, "usage: bench_soak [--ticks=N] [--seconds=S] [--full]\n");
            return 2;
        }
    }
    if (ticks <= 0 || seconds <= 0) return 2;

    _component root;
    TPULSE& bar = root.Make<TPULSE>();
    _soaksentinel& soak = bar.Make<_soaksentinel>();
    bar.PlugSentinel(&soak, "Soak Sentinel");
    soak.PlugSpeeders();
    soak.PrepareSpeeders();
    if (_cpusentinel* cpu = bar.CpuSentinel())
        if (_heart* heart = cpu->Heart()) {
            heart->SetIdleSource(SoakIdle);
            heart->SetClock(SoakClock);
        }
    std::uint32_t now = 0;
    bar.SetTickSource([&now] { return now; });
    bar.Launch();
    bar.TIMER.SetEnabled(false);  // the loop below is the timer
    bar.Show();
    Pump();

    std::printf("soak: %zu Sentinels, %ld ticks at most, %.0f s at most\n", bar.SentinelCount(), ticks, seconds);
    PrintHeader();
    const auto tick = [&] {
        AdvanceSources();
        now += 1000;
        bar.TIMERTimer();
    };
    // Warm up: the first ticks make what lives for the rest of the run
    // (paint buffers, kept pens, grown vectors).
    constexpr long WARMUP = 1000;
    for (long i = 0; i < WARMUP; ++i) {
        tick();
        if (i % 64 == 0) Pump();
    }
    Pump();
    const Counts first = Counts::Now();
    Print(0, first);

    const double start = Seconds(), cpu = ThreadSeconds();
    const long reportEvery = ticks >= 10 ? ticks / 10 : 1;
    long done = 0;
    double elapsed = 0;
    while (done < ticks) {
        tick();
        ++done;
        // Posted messages (the clock Speeders' own timers among them) are
        // handled as the message loop would.
        if (done % 64 == 0) {
            Pump();
            elapsed = Seconds() - start;
            if (elapsed >= seconds) break;
        }
        if (done % reportEvery == 0) {
            Pump();
            Print(done, Counts::Now());
        }
    }
    Pump();
    elapsed = Seconds() - start;
    const double thread = ThreadSeconds() - cpu;
    const Counts last = Counts::Now();
    if (done % reportEvery != 0) Print(done, last);

    const double rate = done / elapsed;
    std::printf("%ld ticks in %.1f s: %.0f ticks/s, %.3f ms/tick (thread CPU %.3f ms/tick)\n", done, elapsed, rate,
                elapsed * 1e3 / done, thread * 1e3 / done);
    if (done < FULL_TICKS)
        std::printf("the full %ld ticks (30 days at 1 Hz) would take %.0f min at this rate: bench_soak --full\n",
                    FULL_TICKS, FULL_TICKS / rate / 60);
    const bool steady = last.live == first.live && last.windows == first.windows && last.gdi == first.gdi &&
                        last.user == first.user && last.threads == first.threads;
    std::printf("handles, windows, GDI/USER objects and threads %s; kernel handles %lu -> %lu; private memory %+ld KB\n",
                steady ? "unchanged" : "CHANGED", static_cast<unsigned long>(first.handles),
                static_cast<unsigned long>(last.handles),
                static_cast<long>(last.privateBytes / 1024) - static_cast<long>(first.privateBytes / 1024));
    bar.Shutdown();
    return steady ? 0 : 1;
}
