#pragma once
// The arithmetic of processor load.
//
//   LoadFromIdle  the busy share of an interval from an idle-time counter
//   ClampLoad     a load from elsewhere brought into 0 .. 100
//   _idletrack    one processor's idle counter against the clock of the
//                 same data: baseline first, then one reading per interval
//   MeanLoad      the mean over all processors
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

// 100-nanosecond units (the idle counters' and the clocks' unit) per
// millisecond.
constexpr std::uint64_t CPU_UNITS_PER_MS = 10000;
// Samples closer together than this give no reading: the idle counters
// move in steps of 10 to 16 ms, so a share of a shorter interval would be
// mostly the step.
constexpr std::uint64_t CPU_MIN_INTERVAL = 50 * CPU_UNITS_PER_MS;

// Busy share in percent of an interval of `interval` units (not 0) during
// which the idle counter advanced by `idle`: trunc((1 - idle / interval) *
// 100). The counter moves in coarser steps than the clock, so on an idle
// processor it may run a little past the interval: that is 0 %.
std::int32_t LoadFromIdle(std::uint64_t idle, std::uint64_t interval) noexcept;

// `load` within 0 .. 100.
std::int32_t ClampLoad(std::int64_t load) noexcept;

class _idletrack {
public:
    // Takes the idle counter `idle` as read at `time` on the clock of the
    // same data (both in 100-nanosecond units). True, with `load`, when
    // the sample ends an interval, which the next one then starts. The
    // first sample, or one where the counter or the clock went back, is a
    // baseline only (false). A sample less than CPU_MIN_INTERVAL after the
    // baseline is passed over (false): the interval goes on.
    bool Sample(std::uint64_t idle, std::uint64_t time, std::int32_t& load) noexcept;
    // The next sample is a baseline again.
    void Reset() noexcept { primed_ = false; }
    bool Primed() const noexcept { return primed_; }

private:
    bool primed_ = false;
    std::uint64_t idle_ = 0;
    std::uint64_t time_ = 0;
};

// The rounded mean of `count` loads (halves to even); 0 for no processors.
std::uint32_t MeanLoad(const std::int32_t* loads, std::uint32_t count);

}  // namespace corvex
