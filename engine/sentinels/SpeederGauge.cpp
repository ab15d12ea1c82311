#include "SpeederGauge.h"

#include <cmath>

namespace corvex {

std::uint32_t GaugePercent(double free, double total) {
    if (total == 0) return 0;
    // 100 - free / total * 100, reckoned as (total - free) * 100 / total:
    // the quotient of the written order rounds (60 / 100 is not exact), and
    // a percentage of exactly 40 would truncate to 39.
    const double percent = (total - free) * 100 / total;
    return percent > 0 ? static_cast<std::uint32_t>(std::trunc(percent)) : 0;
}

_gaugesample GaugeSample(std::uint32_t v, std::uint32_t max, _speederoptions options,
                         const _speederlevels& levels) {
    const bool stasis = (options & SPEEDER_STASIS) != 0;
    _gaugesample sample;
    if (options & SPEEDER_ERROR) {
        sample.color = stasis ? levels.l4 : levels.l3;
        sample.sleepy = true;
        sample.value = max;
        return sample;
    }
    if (options & SPEEDER_NOTICE) {
        sample.color = levels.l4;
        sample.value = max;
        return sample;
    }
    // A graph without scale has no percentage to show.
    if (max == 0) {
        sample.color = stasis ? levels.l4 : levels.l1;
        return sample;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const double r = std::nearbyint(static_cast<double>(v) / max * 100);
    const std::uint32_t rounded = static_cast<std::uint32_t>(r);
    // The limits compare as unsigned numbers: a negative limit is huge.
    if (stasis)
        sample.color = levels.l4;
    else if (rounded < static_cast<std::uint32_t>(levels.l1Limit))
        sample.color = levels.l1;
    else if (rounded < static_cast<std::uint32_t>(levels.l2Limit))
        sample.color = levels.l2;
    else
        sample.color = levels.l3;
    const double p = (options & SPEEDER_INVERTED) ? 100 - r : r;
    const double value = std::nearbyint(p / 100 * max);
    sample.value = value < 0 ? 0 : static_cast<std::uint32_t>(value);
    return sample;
}

}  // namespace corvex
