#pragma once
// What a graph Speeder's gauge shows for a sample: the percentage of its
// amounts, the level colour, and the value handed to the graph and the
// tray bar.
//
// Portable: no Windows header.

#include <cstdint>

#include "Color.h"
#include "SpeederOptions.h"

namespace corvex {

// The four level colours and the two limits (percent) between them.
struct _speederlevels {
    _color l1 = 0xFF0000;  // tolerable
    _color l2 = 0x800000;  // low level
    _color l3 = 0x0000FF;  // alarm level
    _color l4 = 0;         // stasis level
    std::int32_t l1Limit = 25;
    std::int32_t l2Limit = 75;
};

// 100 - free / total * 100, truncated and never below 0; 0 when total is 0.
std::uint32_t GaugePercent(double free, double total);

struct _gaugesample {
    _color color = 0;
    std::uint32_t value = 0;  // for the graph (scale `max`) and the tray bar
    bool sleepy = false;      // error state: the graph shows a bar until the next sample
};

// The sample for gauge value `v` on a graph of full scale `max`, by the
// Speeder's state (error, notice, stasis, inverted options).
_gaugesample GaugeSample(std::uint32_t v, std::uint32_t max, _speederoptions options,
                         const _speederlevels& levels);

}  // namespace corvex
