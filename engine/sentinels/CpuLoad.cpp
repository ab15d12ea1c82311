#include "CpuLoad.h"

#include <cmath>
#include <limits>

namespace corvex {

std::int32_t LoadFromIdle(std::uint64_t idle, std::uint64_t interval) noexcept {
    if (interval == 0 || idle >= interval) return 0;
    // Whole numbers, so the truncation is exact; an interval so long that
    // * 100 would wrap (thousands of years) loses its low bits first.
    std::uint64_t busy = interval - idle;
    while (interval > std::numeric_limits<std::uint64_t>::max() / 100) {
        interval >>= 8;
        busy >>= 8;
    }
    return static_cast<std::int32_t>(busy * 100 / interval);
}

std::int32_t ClampLoad(std::int64_t load) noexcept {
    return static_cast<std::int32_t>(load < 0 ? 0 : load > 100 ? 100 : load);
}

bool _idletrack::Sample(std::uint64_t idle, std::uint64_t time, std::int32_t& load) noexcept {
    if (primed_ && idle >= idle_ && time >= time_) {
        if (time - time_ < CPU_MIN_INTERVAL) return false;
        load = LoadFromIdle(idle - idle_, time - time_);
        idle_ = idle;
        time_ = time;
        return true;
    }
    // Nothing to compare with, or a counter that was reset: start anew.
    primed_ = true;
    idle_ = idle;
    time_ = time;
    return false;
}

std::uint32_t MeanLoad(const std::int32_t* loads, std::uint32_t count) {
    if (count == 0) return 0;
    double sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) sum += loads[i];
    const double mean = std::nearbyint(sum / count);
    return mean < 0 ? 0 : static_cast<std::uint32_t>(mean);
}

}  // namespace corvex
