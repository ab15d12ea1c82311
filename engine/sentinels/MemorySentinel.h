#pragma once
// The Memory Sentinel and its Speeders.
//
//   _memsentinel  physical and virtual memory and the swap file
//   _sram      free physical memory of the total
//   _sswap     free room in the page file
//   _svmem     free address space of this process (starts hidden)
//   _smemfree  the progress bar of the engine's free-memory command: a
//              temporary row that fills by one percent per step
//
// Windows tree only.

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _mem;

class _memsentinel : public _sentinel {
public:
    explicit _memsentinel(_component* owner);

    _result PlugSpeeders() override;
};

// The three memory rows each own a _mem and fill free and total in bytes.
class _sram : public _gspeeder {
public:
    explicit _sram(_component* owner);
    _result RefreshPulse(unsigned elapsed) override;

private:
    _mem* mem_ = nullptr;  // owned through the component list
};

class _sswap : public _gspeeder {
public:
    explicit _sswap(_component* owner);
    _result RefreshPulse(unsigned elapsed) override;

private:
    _mem* mem_ = nullptr;
};

class _svmem : public _gspeeder {
public:
    explicit _svmem(_component* owner);
    _result RefreshPulse(unsigned elapsed) override;

private:
    _mem* mem_ = nullptr;
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
