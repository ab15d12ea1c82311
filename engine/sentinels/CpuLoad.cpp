#include "CpuLoad.h"

#include <cmath>

namespace corvex {

bool LoadFromIdle(std::int64_t idleDelta, std::uint32_t elapsedMs, std::int32_t& load) {
    if (elapsedMs == 0) return false;
    // In 64 bits: a tick longer than seven minutes (after a suspend) would
    // wrap a 32-bit interval and read as a huge idle share.
    const double interval = static_cast<double>(elapsedMs) * 10000.0;
    const double busy = std::trunc((1.0 - static_cast<double>(idleDelta) / interval) * 100.0);
    load = busy < -2147483647.0 ? -2147483647 : static_cast<std::int32_t>(busy);
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
