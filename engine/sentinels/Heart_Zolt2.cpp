#include "Heart_Zolt2.h"

#include <windows.h>

#include <cstring>

#include "CPU_Win32.h"
#include "CpuLoad.h"
#include "Debug_Zolt2.h"
#include "Pulse_Win32.h"
#include "Registry_Zolt2.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

constexpr const char* kCpuUsage = "KERNEL\\CPUUsage";

// SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION, as NtQuerySystemInformation
// class 8 fills it.
struct ProcessorTimes {
    LARGE_INTEGER idle;
    LARGE_INTEGER kernel;
    LARGE_INTEGER user;
    LARGE_INTEGER reserved1[2];
    ULONG reserved2;
};

// The system's per-processor idle times, looked up at run time: ntdll has
// no import library entry for this on every system.
std::uint32_t SystemIdleTimes(std::uint64_t* idle, std::uint32_t capacity) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto query =
        ntdll ? reinterpret_cast<Query>(
                    reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")))
              : nullptr;
    if (!query) return 0;
    ProcessorTimes times[_heart::MAX_PROCESSORS] = {};
    ULONG got = 0;
    if (query(8, times, sizeof times, &got) != 0) return 0;
    std::uint32_t count = got / sizeof(ProcessorTimes);
    if (count > capacity) count = capacity;
    for (std::uint32_t i = 0; i < count; ++i) idle[i] = static_cast<std::uint64_t>(times[i].idle.QuadPart);
    return count;
}

// The high-resolution counter in 100-nanosecond units; the tick count
// where there is none.
std::uint64_t SystemClock() {
    LARGE_INTEGER frequency, count;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 || !QueryPerformanceCounter(&count))
        return static_cast<std::uint64_t>(GetTickCount()) * CPU_UNITS_PER_MS;
    const auto f = static_cast<std::uint64_t>(frequency.QuadPart);
    const auto c = static_cast<std::uint64_t>(count.QuadPart);
    // In two parts, so that neither product wraps.
    return c / f * 10000000 + c % f * 10000000 / f;
}

}  // namespace

_heart::_heart(_component* owner, _registrybackend& backend)
    : _component(owner),
      release_(WindowsRelease()),
      backend_(backend),
      idleSource_(SystemIdleTimes),
      clock_(SystemClock) {
    total_ = ProcessorCount();
    if (total_ > MAX_PROCESSORS) total_ = MAX_PROCESSORS;
    if (release_ > 3) {
        pulse_ = &Make<_pulse>(backend_);
        if (pulse_->Dead()) {
            dead_ = true;
            return;
        }
        pulse_->SetScope("238");
        pulse_->Filters().counterId = 6;
        pulse_->OnCounter = [this](std::uint32_t, const _perfcounter& c) { return OnCounter(c); };
    } else if (!StartStatistics()) {
        dead_ = true;
    }
}

_heart::~_heart() {
    if (release_ <= 3 && !dead_) StopStatistics();
}

int _heart::Pulse(std::uint32_t elapsedMs) {
    (void)elapsedMs;
    if (dead_) return _ERROR;
    totalPulse_ = 0;
    if (pulse_) {
        index_ = 0;
        pulse_->Refresh();
        // No processor in the performance data: the system's idle times.
        if (index_ == 0) SampleIdleTimes();
    } else {
        // A byte: a damaged statistic may hold more than 100.
        loads_[0] = ClampLoad(ReadStatistics());
    }
    totalPulse_ = MeanLoad(loads_.data(), total_);
    return _OK;
}

std::int32_t _heart::GetPulse(std::uint32_t index) const noexcept {
    return index < MAX_PROCESSORS ? loads_[index] : 0;
}

int _heart::OnCounter(const _perfcounter& counter) {
    if (pulse_->InstanceName() == "_Total") {
        Log(80, "_heart.OnCounter: _Total Rejected");
        return _OK;
    }
    std::uint64_t raw = 0;
    if (pulse_->GetData(&counter, raw) != _OK) {
        Log(80, "_heart.OnCounter: KEngine.GetData(%p,%p,%p): FAILED TO GET DATA",
            static_cast<const void*>(counter.definition), static_cast<const void*>(counter.value),
            static_cast<void*>(&raw));
        return _ERROR;
    }
    // More instances than slots: the extra ones are not processors we show.
    if (index_ >= MAX_PROCESSORS) return _OK;
    if (index_ == 0) {
        const std::uint64_t stamp = pulse_->DataTime();
        UseSource(stamp ? Source::STAMPED_COUNTERS : Source::COUNTERS);
        walkTime_ = stamp ? stamp : Now();
    }
    Sample(index_, raw, walkTime_);
    Log(80, "_heart.OnCounter: KPulse[%u]=%d, raw[%u]=%llu", index_, loads_[index_], index_,
        static_cast<unsigned long long>(raw));
    ++index_;
    return _OK;
}

std::uint64_t _heart::Now() const { return clock_ ? clock_() : 0; }

void _heart::UseSource(Source source) noexcept {
    if (source == source_) return;
    source_ = source;
    for (_idletrack& track : tracks_) track.Reset();
}

// The idle counter of processor `index` read `idle` at `time`; a baseline
// or a sample too soon keeps the load shown.
void _heart::Sample(std::uint32_t index, std::uint64_t idle, std::uint64_t time) {
    std::int32_t load = 0;
    if (tracks_[index].Sample(idle, time, load)) loads_[index] = load;
}

void _heart::SampleIdleTimes() {
    std::uint64_t idle[MAX_PROCESSORS] = {};
    const std::uint32_t count = idleSource_ ? idleSource_(idle, MAX_PROCESSORS) : 0;
    if (count == 0) return;
    // Read right after the idle times: their interval, not the tick's.
    const std::uint64_t time = Now();
    UseSource(Source::IDLE_TIMES);
    for (std::uint32_t i = 0; i < count && i < total_; ++i) Sample(i, idle[i], time);
}

bool _heart::StartStatistics() {
    statistics_ = std::make_unique<_registry>(backend_);
    statistics_->SetRootKey(REGISTRY_DYN_DATA);
    if (!statistics_->OpenKey("\\PerfStats\\StartStat", false, REGISTRY_READ_WRITE)) return false;
    std::uint8_t usage[4] = {};
    try {
        statistics_->ReadBinaryData(kCpuUsage, usage, sizeof usage);
    } catch (const _registryerror&) {
        // Starting the statistics is the read itself; its value is not used.
    }
    statistics_->CloseKey();
    return statistics_->OpenKey("\\PerfStats\\StatData", false, REGISTRY_READ_WRITE);
}

std::int32_t _heart::ReadStatistics() {
    std::uint8_t usage[4] = {};
    try {
        statistics_->ReadBinaryData(kCpuUsage, usage, sizeof usage);
    } catch (const _registryerror& error) {
        Log(80, "_heart.Pulse: %s", error.what());
        return loads_[0];
    }
    return usage[0];
}

void _heart::StopStatistics() {
    statistics_->CloseKey();
    if (statistics_->OpenKey("\\PerfStats\\StopStat", false, REGISTRY_READ_WRITE)) {
        std::uint8_t usage[4] = {};
        try {
            statistics_->ReadBinaryData(kCpuUsage, usage, sizeof usage);
        } catch (const _registryerror&) {
        }
        statistics_->CloseKey();
    }
    statistics_.reset();
}

}  // namespace corvex
