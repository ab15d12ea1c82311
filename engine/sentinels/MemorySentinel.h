#pragma once
// The Memory Sentinel and its Speeders.
//
//   _memsentinel  physical and virtual memory and the swap file
//   _smemfree  the progress bar of the engine's free-memory command: a
//              temporary row that fills by one percent per step
//
// Windows tree only.

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _memsentinel : public _sentinel {
public:
    explicit _memsentinel(_component* owner);
};

class _smemfree : public _gspeeder {
public:
    explicit _smemfree(_component* owner);

    // Each call is one step of the command: free drops by `elapsed`, so
    // the gauge grows by that many percent. Free never goes below 0, where
    // the bar is full; a stopped row takes no step.
    _result RefreshPulse(unsigned elapsed) override;
};

}  // namespace corvex
