#pragma once
// _freememcommand: the bar's "free mem" command. It fills half of the
// physical memory, so that the system moves idle pages of other programs
// out, in 100 steps shown by a temporary row at the end of the Memory
// Sentinel; the message loop runs between the steps. The bar window owns
// one; TPULSE::FreeMemMENUClick runs it.
//
// Windows tree only.

#include <cstdint>
#include <functional>

#include "Core_Zolt2.h"

namespace corvex {

class _speeder;
class TPULSE;

// The total physical memory in bytes: the system's memory status unless a
// test puts another amount in.
using _physicalmemory = std::function<std::uint64_t()>;

class _freememcommand {
public:
    explicit _freememcommand(TPULSE& bar);
    _freememcommand(const _freememcommand&) = delete;
    _freememcommand& operator=(const _freememcommand&) = delete;

    void SetPhysicalMemorySource(_physicalmemory source);
    // After each step (1 .. 100).
    std::function<void(unsigned step)> OnStep;

    bool Running() const noexcept { return running_; }
    // _ERROR, and nothing done, without the Memory Sentinel, while it runs
    // already or once the bar is closing; _ERROR too when the memory could
    // not be had (the row goes again).
    _result Run();
    // The bar closes between two steps: the temporary row goes now, before
    // the settings are saved, for it is no setting.
    void Abandon();

private:
    // Takes the temporary row out of the Memory Sentinel.
    void RemoveRow(_speeder& row);
    bool Closing() const noexcept;

    TPULSE& bar_;
    _physicalmemory physicalMemory_;
    bool running_ = false;
};

}  // namespace corvex
