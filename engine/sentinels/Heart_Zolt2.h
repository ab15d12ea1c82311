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

#include <array>
#include <cstdint>
#include <memory>

#include "Component.h"
#include "Core_Zolt2.h"
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
    // Samples every processor for a tick of `elapsedMs`: 0, or 6 when dead.
    int Pulse(std::uint32_t elapsedMs);
    // The last load of processor `index` in percent (0 outside the table).
    std::int32_t GetPulse(std::uint32_t index) const noexcept;

    // Where the system's own per-processor idle times come from: fills
    // idle[0 .. count-1] (100-nanosecond units) and returns the count, 0
    // when unavailable. Tests put another in place.
    using _idlesource = std::uint32_t (*)(std::uint64_t* idle, std::uint32_t capacity);
    void SetIdleSource(_idlesource source) noexcept { idleSource_ = source; }

private:
    int OnCounter(const _perfcounter& counter);
    void Sample(std::uint32_t index, std::uint64_t idle);
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

    std::uint32_t elapsed_ = 0;
    std::uint32_t index_ = 0;
    std::array<std::int32_t, MAX_PROCESSORS> loads_{};
    std::array<std::uint64_t, MAX_PROCESSORS> raw_{};
};

}  // namespace corvex
