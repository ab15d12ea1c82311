#pragma once
// The CPU Sentinel and its Speeders.
//
//   _cpusentinel  the load of every processor, and a gauge of its own
//   _scpu         the graph Speeder of one processor's load, read from the
//                 Sentinel's _heart

#include <cstdint>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _heart;
class _registrybackend;
class _traygauge;

// The load of every processor, one Speeder each, and the first two on a
// gauge of its own in the notification area (CpuSentinel.cpp).
class _cpusentinel : public _sentinel {
public:
    explicit _cpusentinel(_component* owner);
    // `backend` serves the load's data sources (tests pass their own).
    _cpusentinel(_component* owner, _registrybackend& backend);

    _heart* Heart() const noexcept { return heart_; }
    _traygauge& Gauge() const noexcept { return *gauge_; }

    _result PlugSpeeders() override;
    _result RefreshSpeedersPulse(unsigned elapsed) override;
    _result SaveOptions(const std::string& key, _lair& store) override;
    _result LoadOptions(const std::string& key, _lair& store) override;

private:
    _heart* heart_ = nullptr;           // owned through the component list
    _traygauge* gauge_ = nullptr;       // owned through the component list
};

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
