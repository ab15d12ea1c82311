// Thirty days of the engine's tick, as fast as it goes: the whole bar with
// its eleven Sentinels, shown, plus a band of graph Speeders whose loads
// wander every tick, driven through TPULSE.TIMERTimer with a clock that
// advances one second a tick. Every Sentinel that reads a source per tick
// reads a synthetic one whose values move, so that every readout repaints:
// the CPU's idle times, the drives' free space, the memory status, the
// performance data of the kernel counts and the network interfaces (the
// dial-up link among them), the power source and the up-time.
// It prints, at the start and as it goes, what must not grow: the live
// handles of the window layer (_livehandles), the windows of this thread,
// the system's GDI and USER object counts (under Wine, whose
// GetGuiResources is a stub, the GDI objects are counted in its handle
// table and USER objects read 0), kernel handles, threads and memory.
//
//   bench_soak [--ticks=N] [--seconds=S] [--full] [--breakdown=N] [--system-sources]
//
// By default it stops after 100000 ticks or 120 seconds, whichever comes
// first, and prints the rate and what the full 2.6 million ticks would
// take; --full runs them all. After the warm-up it shows where the time of
// a tick goes, Sentinel by Sentinel, over 300 ticks (--breakdown=N: N
// ticks, 0 for none). --system-sources leaves the Sentinels but the CPU's
// on the system's own sources, to see what reading them costs.

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "AudioSentinel.h"
#include "Battery_Zolt2.h"
#include "BenchClock.h"
#include "BuiltinSentinels.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "CpuSentinel.h"
#include "DriveSentinel.h"
#include "FSR_Win32.h"
#include "FsrSentinel.h"
#include "Heart_Zolt2.h"
#include "Impulse_Zolt2.h"
#include "KernelSentinel.h"
#include "Lair_Zolt2.h"
#include "LanSentinel.h"
#include "MailSentinel.h"
#include "MemorySentinel.h"
#include "NetSentinel.h"
#include "OsVersion.h"
#include "PerfData.h"
#include "RegistryMemory.h"
#include "StartupOptions.h"
#include "SystemSentinel.h"
#include "SystemSpeeders.h"
#include "System_Zolt2.h"
#include "Timer.h"
#include "WinHandle.h"
#include "support/PerfDataWriter.h"

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

// Two fixed drives, C: and D:, whose free space wanders (10 GiB each).
class _soakdrives final : public _drivesystem {
public:
    std::uint32_t LogicalDrives() override { return 0x4 | 0x8; }
    unsigned DriveType(const std::string&) override { return DRIVE_FIXED; }
    bool DiskFreeSpace(const std::string& root, _clusters& clusters) override {
        clusters.sectorsPerCluster = 8;
        clusters.bytesPerSector = 512;
        clusters.totalClusters = kClusters;
        clusters.freeClusters = static_cast<std::uint32_t>((100 - Wave(g_tick, root[0])) / 100 * kClusters);
        return true;
    }
    bool HasDiskFreeSpaceEx() override { return true; }
    bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) override {
        _clusters clusters;
        DiskFreeSpace(root, clusters);
        total = std::uint64_t{kClusters} * 4096;
        totalFree = std::uint64_t{clusters.freeClusters} * 4096;
        return true;
    }
    // The shell's picture of the system drive: asked when a row is named.
    _icon SmallIcon(const std::string&) override { return Win32Drives().SmallIcon("C:\\"); }
    void NotifyMedia(const std::string&, bool) override {}
    void FailCriticalErrors() override {}

private:
    static constexpr std::uint32_t kClusters = 2621440;
};

// Mains and battery by turns, five ticks each, with a wandering charge:
// the power readout redraws at every change.
class _soakpower final : public _powersource {
public:
    bool Read(_powerreading& reading) override {
        const bool battery = (g_tick / 5) % 2 != 0;
        const int charge = static_cast<int>(Wave(g_tick, 3));
        reading.acLineStatus = battery ? 0 : 1;
        reading.batteryFlag = static_cast<std::uint8_t>(charge > 66 ? 1 : charge > 33 ? 0 : 2);
        reading.batteryLifePercent = static_cast<std::uint8_t>(charge < 0 ? 0 : charge > 100 ? 100 : charge);
        return true;
    }
};

// The memory status: the machine's totals, free amounts that wander.
_memorystatus g_memoryTotals;
_memorystatus SoakMemory() {
    _memorystatus status = g_memoryTotals;
    status.ramFree = static_cast<std::uint64_t>((100 - Wave(g_tick, 5)) / 100 * status.ramTotal);
    status.pageFree = static_cast<std::uint64_t>((100 - Wave(g_tick, 6)) / 100 * status.pageTotal);
    status.virtualFree = static_cast<std::uint64_t>((100 - Wave(g_tick, 7)) / 100 * status.virtualTotal);
    return status;
}

// The performance data of the Kernel, LAN and RAS Sentinels: the Objects
// object (counts that wander) and three network interfaces (the loopback
// one, a card and the dial-up link) whose byte counters grow at wandering
// rates. Their processor scope answers as Wine's does, with no object, so
// the CPU Sentinel reads its idle times (and asks again once a minute).
// Wine's own performance data would cost a kernel handle per query, which
// would show as a leak.
class _soakperfdata {
public:
    _soakperfdata() {
        const char names[] = "238\0Processor\0260\0Objects\0510\0Network Interface\0";  // ends in two zeros
        std::vector<std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(names),
                                        reinterpret_cast<const std::uint8_t*>(names) + sizeof names);
        registry_.Put(REGISTRY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009",
                      "Counter", REGISTRY_TYPE_MULTI_SZ, bytes);
        registry_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY,
                            [] { return test::PerfDataWriter().Build(g_clock); });
        registry_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "260", REGISTRY_TYPE_BINARY, [] {
            test::PerfDataWriter w;
            w.Object(260, {{248, perf::SIZE_DWORD}, {250, perf::SIZE_DWORD}, {252, perf::SIZE_DWORD},
                           {254, perf::SIZE_DWORD}, {256, perf::SIZE_DWORD}, {258, perf::SIZE_LARGE}});
            const auto count = [](int phase, double scale) {
                return static_cast<std::uint64_t>(Wave(g_tick, phase) * scale);
            };
            w.NoInstances({count(8, 1), count(9, 20), count(10, 50), count(11, 5), count(12, 3), count(13, 1e6)});
            return w.Build(g_clock);
        });
        registry_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "510", REGISTRY_TYPE_BINARY, [this] {
            test::PerfDataWriter w;
            w.Object(510, {{388, perf::SIZE_LARGE}, {520, perf::SIZE_DWORD}, {264, perf::SIZE_LARGE},
                           {506, perf::SIZE_LARGE}});
            for (Link& link : links_) {
                // Once per tick: the LAN and RAS Sentinels both ask.
                if (link.tick != g_tick) {
                    link.tick = g_tick;
                    const double share = Wave(g_tick, link.phase) / 100 * link.bandwidth / 8;
                    link.received += static_cast<std::uint64_t>(share);
                    link.sent += static_cast<std::uint64_t>(share / 3);
                }
                w.Instance(link.name, {link.received + link.sent, link.bandwidth, link.received, link.sent});
            }
            return w.Build(g_clock);
        });
    }
    _registrybackend& Registry() noexcept { return registry_; }

private:
    struct Link {
        std::u16string name;
        std::uint32_t bandwidth;  // bits per second
        int phase;
        std::uint64_t received = 0, sent = 0;
        long tick = -1;
    };
    _memoryregistry registry_;
    std::vector<Link> links_ = {{u"MS TCP Loopback interface", 10000000, 14},
                                {u"Card A", 100000000, 15},
                                {u"WAN [PPP_SLIP] Interface #2", 56000, 16}};
};

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

// Wine's GetGuiResources is a stub and its GetProcessHandleCount reports
// nothing; these count the same objects another way there.
//
// The GDI objects of this process: the used entries of the handle table
// Wine keeps for each process where the PEB points (at 0x94 on 32 bits,
// 0xF8 on 64), 65536 entries of 24 bytes each with the object's kind in
// byte 14.
DWORD WineGdiObjects() {
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint16_t unique;
        std::uint8_t type, flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "Wine's GDI handle entry");
    using Query = LONG(WINAPI*)(HANDLE process, ULONG infoClass, PVOID info, ULONG size, PULONG written);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), 0, &basic, sizeof basic, nullptr) != 0) return 0;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
    if (!table) return 0;
    DWORD used = 0;
    for (int i = 0; i < 0x10000; ++i) used += table[i].type != 0;
    return used;
}

// The kernel handles of this process, from the system's list of all
// handles (NtQuerySystemInformation, SystemHandleInformation).
DWORD SystemListHandles() {
    struct Entry {
        USHORT process, creator;
        UCHAR type, attributes;
        USHORT handle;
        PVOID object;
        ULONG access;
    };
    using Query = LONG(WINAPI*)(ULONG infoClass, PVOID info, ULONG size, PULONG written);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    static std::vector<std::uint8_t> buffer(1 << 20);
    if (!query) return 0;
    constexpr LONG LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);
    ULONG written = 0;
    LONG status;
    while ((status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &written)) == LENGTH_MISMATCH &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    // The count, then the entries at their alignment (8 on 64 bits).
    struct List {
        ULONG count;
        Entry entries[1];
    };
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + offsetof(List, entries));
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    DWORD mine = 0;
    for (ULONG i = 0; i < count; ++i) mine += entries[i].process == self;
    return mine;
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
        if (c.gdi == 0) c.gdi = WineGdiObjects();
        c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        using HandleCount = BOOL(WINAPI*)(HANDLE, PDWORD);
        if (const auto count = reinterpret_cast<HandleCount>(
                reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount"))))
            count(GetCurrentProcess(), &c.handles);
        if (c.handles == 0) c.handles = SystemListHandles();
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

// Where a tick's time goes: `ticks` ticks done as TPULSE.TIMERTimer does
// them, each Sentinel's refresh (its reads and its paint) timed on its own,
// and the message loop beside them. The bar's own tick follows, so that its
// next interval starts afresh.
void PrintBreakdown(TPULSE& bar, long ticks, const std::function<void()>& advance) {
    const std::size_t count = bar.SentinelCount();
    std::vector<double> spent(count, 0.0);
    double pumped = 0;
    const double start = Seconds();
    for (long i = 0; i < ticks; ++i) {
        advance();
        for (std::size_t s = 0; s < count; ++s) {
            const double before = Seconds();
            bar.Sentinels(s)->RefreshSpeedersPulse(1000);
            spent[s] += Seconds() - before;
        }
        const double before = Seconds();
        Pump();
        pumped += Seconds() - before;
    }
    const double total = Seconds() - start;
    bar.TIMERTimer();
    std::printf("where a tick goes (%ld ticks, %.3f ms a tick), Sentinel, Speeders, ms a tick:\n", ticks,
                total * 1e3 / ticks);
    for (std::size_t s = 0; s < count; ++s)
        std::printf("  %-20s %2zu %8.3f ms  %5.1f %%\n", bar.Sentinels(s)->Caption().c_str(),
                    bar.Sentinels(s)->SpeederCount(), spent[s] * 1e3 / ticks, 100 * spent[s] / total);
    std::printf("  %-23s %8.3f ms  %5.1f %%\n", "message loop", pumped * 1e3 / ticks, 100 * pumped / total);
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = 100000;
    double seconds = 120;
    long breakdown = 300;
    bool systemSources = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--ticks=", 8) == 0) {
            ticks = std::atol(argv[i] + 8);
            seconds = 1e30;
        } else if (std::strncmp(argv[i], "--seconds=", 10) == 0) {
            seconds = std::atof(argv[i] + 10);
        } else if (std::strncmp(argv[i], "--breakdown=", 12) == 0) {
            breakdown = std::atol(argv[i] + 12);
        } else if (std::strcmp(argv[i], "--system-sources") == 0) {
            systemSources = true;
        } else if (std::strcmp(argv[i], "--full") == 0) {
            ticks = FULL_TICKS;
            seconds = 1e30;
        } else {
            std::fprintf(stderr, "usage: bench_soak [--ticks=N] [--seconds=S] [--full] [--breakdown=N] [--system-sources]\n");
            return 2;
        }
    }
    if (ticks <= 0 || seconds <= 0) return 2;

    // The bar plugs no built-in Sentinel itself: the soak makes the eleven,
    // in the bar's order, each on its synthetic source where it reads one
    // per tick, and plugs them as the bar does its own. --system-sources
    // leaves them to the bar, on the system's sources (all but the CPU's).
    if (!systemSources)
        for (int role = 0; role < SENTINEL_BUILTIN_COUNT; ++role) StartupOptions().Unplug(role);
    _soakdrives drives;
    _soakpower power;
    _soakperfdata perf;
    std::uint32_t now = 0;
    _component root;
    TPULSE& bar = root.Make<TPULSE>();
    std::vector<_sentinel*> made;  // the eleven, then the soak's own band
    if (systemSources) {
        for (int role = 0; role < SENTINEL_BUILTIN_COUNT; ++role)
            made.push_back(bar.Sentinel(static_cast<_sentinelrole>(role)));
    } else {
        made = {
            &bar.Make<_drivessentinel>(drives, WindowsRelease()),
            &bar.Make<_cpusentinel>(perf.Registry()),
            &bar.Make<_memsentinel>(),
            &bar.Make<_fsrsentinel>(),
            &bar.Make<_audiosentinel>(),
            &bar.Make<_syssentinel>(_systemsources{&power, {}}),
            &bar.Make<_netsentinel>(),
            &bar.Make<_kernelsentinel>(perf.Registry()),
            &bar.Make<_lansentinel>(perf.Registry()),
            &bar.Make<_mailsentinel>(),
            &bar.Make<_rassentinel>(perf.Registry()),
        };
    }
    made.push_back(&bar.Make<_soaksentinel>());
    for (std::size_t i = systemSources ? made.size() - 1 : 0; i < made.size(); ++i) {
        bar.PlugSentinel(made[i], std::string());
        { const _lairkey scope(bar._lair1, "Sentinels\\" + made[i]->Caption()); }
        made[i]->PlugSpeeders();
    }
    if (_heart* heart = static_cast<_cpusentinel*>(made[SENTINEL_ROLE_CPU])->Heart()) {
        heart->SetIdleSource(SoakIdle);
        heart->SetClock(SoakClock);
    }
    if (systemSources) {
        made.back()->PrepareSpeeders();
    } else {
        // The memory rows each read their own _mem; the System Sentinel's
        // up-time follows the bar's clock.
        for (std::size_t i = 0; i < made[SENTINEL_ROLE_MEMORY]->SpeederCount(); ++i) {
            const _speeder& row = *made[SENTINEL_ROLE_MEMORY]->Speeders(i);
            for (std::size_t c = 0; c < row.ComponentCount(); ++c)
                if (auto* mem = dynamic_cast<_mem*>(row.Component(c))) {
                    if (g_memoryTotals.ramTotal == 0) g_memoryTotals = mem->Status();
                    mem->SetSource(SoakMemory);
                }
        }
        for (std::size_t i = 0; i < made[SENTINEL_ROLE_SYSTEM]->SpeederCount(); ++i)
            if (auto* running = dynamic_cast<_srunning*>(made[SENTINEL_ROLE_SYSTEM]->Speeders(i)))
                running->SetTickSource([&now] { return now; });
        bar.Ignite();
        bar.UpdateOrder();
    }
    bar.SetTickSource([&now] { return now; });
    bar.Launch();
    bar.TIMER.SetEnabled(false);  // the loop below is the timer
    bar.Show();
    Pump();

    if (seconds < 1e29)
        std::printf("soak: %zu Sentinels, %ld ticks at most, %.0f s at most\n", bar.SentinelCount(), ticks, seconds);
    else
        std::printf("soak: %zu Sentinels, %ld ticks\n", bar.SentinelCount(), ticks);
    const auto advance = [&now] {
        AdvanceSources();
        now += 1000;
    };
    const auto tick = [&] {
        advance();
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
    // Synthetic, not the system's: the performance data serve the counts
    // and the interfaces, and the dial-up link is up.
    std::printf("sources: kernel counts from the %s, LAN from the %s, RAS %s\n",
                static_cast<_kernelsentinel*>(made[SENTINEL_ROLE_KERNEL])->FromSnapshot() ? "process list"
                                                                                          : "performance data",
                static_cast<_lansentinel*>(made[SENTINEL_ROLE_LAN])->FromInterfaceTable() ? "interface table"
                                                                                          : "performance data",
                static_cast<_rassentinel*>(made[SENTINEL_ROLE_RAS])->Online() ? "online" : "offline");
    if (breakdown > 0) PrintBreakdown(bar, breakdown, advance);
    const Counts first = Counts::Now();
    PrintHeader();
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
                        last.user == first.user && last.handles == first.handles && last.threads == first.threads;
    std::printf("handles, windows, GDI/USER objects, kernel handles and threads %s (GDI %lu -> %lu, kernel handles "
                "%lu -> %lu); private memory %+ld KB\n",
                steady ? "unchanged" : "CHANGED", static_cast<unsigned long>(first.gdi),
                static_cast<unsigned long>(last.gdi), static_cast<unsigned long>(first.handles),
                static_cast<unsigned long>(last.handles),
                static_cast<long>(last.privateBytes / 1024) - static_cast<long>(first.privateBytes / 1024));
    bar.Shutdown();
    return steady ? 0 : 1;
}
