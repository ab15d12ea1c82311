#pragma once
// _heart: the load of every processor, measured once per engine tick.
//
// On the NT family the Processor object's "% Processor Time" counter (an
// idle-time counter) is read through the performance-data reader, one
// instance per processor, "_Total" left out. Where that data holds no
// processor at all (as under Wine, whose data block is empty), the
// system's own per-processor idle times serve instead. On 95/98/ME the
// kernel's dynamic statistics under HKEY_DYN_DATA give the load of the
// one processor directly.
//
// Each load is the busy share between two samples timed by the clock of
// their own data (the performance data's time stamp, or the reader's clock
// read with the idle times), not by the engine's tick, which is taken at
// another moment and with a coarser clock. The first sample is a baseline:
// the loads stay at 0 until the second.

#include <array>
#include <cstdint>
#include <memory>

#include "Component.h"
#include "Core_Zolt2.h"
#include "CpuLoad.h"
#include "RegistryBackend.h"

namespace corvex {

class _pulse;
class _registry;
struct _perfcounter;

class _heart : public _component {
public:
    static constexpr std::uint32_t MAX_PROCESSORS = 32;

    // `backend` serves the performance data (NT) or the dynamic statistics
    // (95/98/ME); the program passes the real registry.
    _heart(_component* owner, _registrybackend& backend);
    ~_heart() override;

    // ---- properties
    bool Dead() const noexcept { return dead_; }
    std::uint32_t Total() const noexcept { return total_; }       // processors
    std::uint32_t TotalPulse() const noexcept { return totalPulse_; }  // mean load

    // ---- operations
    // Samples every processor: 0, or 6 when dead. `elapsedMs`, the engine's
    // tick, is not the interval of the loads (see above).
    int Pulse(std::uint32_t elapsedMs);
    // The last load of processor `index` in percent (0 outside the table).
    std::int32_t GetPulse(std::uint32_t index) const noexcept;

    // Where the system's own per-processor idle times come from: fills
    // idle[0 .. count-1] (100-nanosecond units) and returns the count, 0
    // when unavailable. Tests put another in place.
    using _idlesource = std::uint32_t (*)(std::uint64_t* idle, std::uint32_t capacity);
    void SetIdleSource(_idlesource source) noexcept { idleSource_ = source; }
    // The reader's clock, 100-nanosecond units from any fixed start: times
    // each reading of the idle times, and performance data without a time
    // stamp of their own. Tests put another in place.
    using _clock = std::uint64_t (*)();
    void SetClock(_clock clock) noexcept { clock_ = clock; }

private:
    // Which data, on which clock, the processors' baselines were taken from.
    enum class Source : unsigned char { NONE, STAMPED_COUNTERS, COUNTERS, IDLE_TIMES };

    int OnCounter(const _perfcounter& counter);
    std::uint64_t Now() const;
    // Counters of another source do not compare with the baselines.
    void UseSource(Source source) noexcept;
    void Sample(std::uint32_t index, std::uint64_t idle, std::uint64_t time);
    void SampleIdleTimes();
    bool StartStatistics();
    std::int32_t ReadStatistics();
    void StopStatistics();

    unsigned release_;
    bool dead_ = false;
    std::uint32_t total_ = 0;
    std::uint32_t totalPulse_ = 0;
    _pulse* pulse_ = nullptr;  // owned as a component (NT family)
    std::unique_ptr<_registry> statistics_;  // open on StatData (95/98/ME)
    _registrybackend& backend_;
    _idlesource idleSource_;
    _clock clock_;

    Source source_ = Source::NONE;
    std::uint64_t walkTime_ = 0;  // the time of the counters being walked
    std::uint32_t index_ = 0;
    std::array<std::int32_t, MAX_PROCESSORS> loads_{};
    std::array<_idletrack, MAX_PROCESSORS> tracks_{};
};

}  // namespace corvex
