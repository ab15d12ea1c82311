#include "CpuLoad.h"

#include <climits>
#include <cmath>

namespace corvex {

bool LoadFromIdle(std::int64_t idleDelta, std::uint32_t elapsedMs, std::int32_t& load) {
    if (elapsedMs == 0) return false;
    // Whole numbers, so the truncation is exact on every processor's
    // floating-point unit; the interval in 64 bits, since a tick longer
    // than seven minutes (after a suspend) would wrap a 32-bit one.
    const std::int64_t interval = static_cast<std::int64_t>(elapsedMs) * 10000;
    constexpr std::int64_t limit = std::int64_t{1} << 52;  // keeps * 100 in range
    const std::int64_t idle = idleDelta > limit ? limit : idleDelta < -limit ? -limit : idleDelta;
    const std::int64_t busy = (interval - idle) * 100 / interval;  // truncates toward zero
    load = busy < INT32_MIN ? INT32_MIN : busy > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(busy);
    return true;
}

std::uint32_t MeanLoad(const std::int32_t* loads, std::uint32_t count) {
    if (count == 0) return 0;
    double sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) sum += loads[i];
    const double mean = std::nearbyint(sum / count);
    return mean < 0 ? 0 : static_cast<std::uint32_t>(mean);
}

}  // namespace corvex
