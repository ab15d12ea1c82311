#pragma once
// _scpu: the graph Speeder of one processor's load, read from the CPU
// Sentinel's _heart. (The Sentinel itself, _cpusentinel, is declared with
// the other kinds in Corvex_Sentinels.h and defined in CpuSentinel.cpp.)

#include <cstdint>

#include "Corvex_Speeders.h"

namespace corvex {

class _heart;

class _scpu : public _gspeeder {
public:
    explicit _scpu(_component* owner);

    // Reads processor `index` of `heart`.
    void Bind(_heart* heart, std::uint32_t index) noexcept {
        heart_ = heart;
        index_ = index;
    }
    std::uint32_t Index() const noexcept { return index_; }

    // The processor's load as a percentage gauge: 6 without a _heart.
    _result RefreshPulse(unsigned elapsed) override;

private:
    _heart* heart_ = nullptr;
    std::uint32_t index_ = 0;
};

}  // namespace corvex
