#pragma once
// The arithmetic of processor load: a busy share from an idle-time counter,
// and the mean over all processors.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

// Load in percent over a tick of `elapsedMs` milliseconds during which the
// processor's idle counter (100-nanosecond units) advanced by `idleDelta`:
// trunc((1 - idle / interval) * 100). Negative when the counter ran ahead
// of the tick (as on the first tick, from 0); the caller decides then.
// A tick of 0 ms gives no load at all (false).
bool LoadFromIdle(std::int64_t idleDelta, std::uint32_t elapsedMs, std::int32_t& load);

// The rounded mean of `count` loads (halves to even); 0 for no processors.
std::uint32_t MeanLoad(const std::int32_t* loads, std::uint32_t count);

}  // namespace corvex
