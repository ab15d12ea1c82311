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

}  // namespace

_heart::_heart(_component* owner, _registrybackend& backend)
    : _component(owner), release_(WindowsRelease()), backend_(backend), idleSource_(SystemIdleTimes) {
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
    if (dead_) return _ERROR;
    totalPulse_ = 0;
    if (pulse_) {
        index_ = 0;
        elapsed_ = elapsedMs;
        pulse_->Refresh();
        // No processor in the performance data: the system's idle times.
        if (index_ == 0) SampleIdleTimes();
    } else {
        loads_[0] = ReadStatistics();
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
    Sample(index_, raw);
    Log(80, "_heart.OnCounter: KPulse[%u]=%d, raw[%u]=%llu", index_, loads_[index_], index_,
        static_cast<unsigned long long>(raw));
    ++index_;
    return _OK;
}

// The idle counter of processor `index` moved to `idle`.
void _heart::Sample(std::uint32_t index, std::uint64_t idle) {
    const std::int64_t delta = static_cast<std::int64_t>(idle - raw_[index]);
    raw_[index] = idle;
    std::int32_t load = 0;
    if (!LoadFromIdle(delta, elapsed_, load)) return;  // an empty tick
    loads_[index] = load;
    if (loads_[index] < 0) {
        Check(true, "_heart.OnCounter: KPulse[KCPUIndex]=%d, resetting...", loads_[index]);
        loads_[index] = 100;
    }
}

void _heart::SampleIdleTimes() {
    std::uint64_t idle[MAX_PROCESSORS] = {};
    const std::uint32_t count = idleSource_ ? idleSource_(idle, MAX_PROCESSORS) : 0;
    for (std::uint32_t i = 0; i < count && i < total_; ++i) Sample(i, idle[i]);
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
