#pragma once
// _pulse: reads the system's performance data for one scope (objects given
// by title index) at every Refresh and hands matching objects, instances and
// counters to its owner through three callbacks. It also loads the English
// counter-name table. On the 95/98/ME family it is dead and does nothing.
//
// The walk itself (PerfData.h) trusts nothing in the data; this component
// adds the query with its growing buffer, the names and the log lines.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Core_Zolt2.h"
#include "PerfData.h"
#include "RegistryBackend.h"

namespace corvex {

// Results of the callbacks: perf::STOP (3) ends the current run of
// instances or counters; anything else goes on.
using _on_pulse_object = std::function<int(std::uint32_t titleIndex)>;
using _on_pulse_instance = std::function<int(std::int32_t position)>;
using _on_pulse_counter = std::function<int(std::uint32_t titleIndex, const _perfcounter& counter)>;

class _pulse : public _component {
public:
    // `backend` serves HKEY_LOCAL_MACHINE (the names) and the performance
    // data; the program passes the real registry.
    explicit _pulse(_component* owner, _registrybackend& backend);
    ~_pulse() override;

    // ---- properties
    bool Dead() const noexcept { return dead_; }
    const std::string& Scope() const noexcept { return scope_; }
    void SetScope(const std::string& scope);
    std::uint32_t DataSize() const noexcept { return dataSize_; }
    void SetDataSize(std::uint32_t size) noexcept { dataSize_ = size; }
    std::uint32_t DataAdjust() const noexcept { return dataAdjust_; }
    void SetDataAdjust(std::uint32_t adjust) noexcept { dataAdjust_ = adjust; }
    std::uint32_t DataFaults() const noexcept { return dataFaults_; }
    _perffilters& Filters() noexcept { return filters_; }  // object, counter, instance

    _on_pulse_object OnObject;
    _on_pulse_instance OnInstance;
    _on_pulse_counter OnCounter;

    // ---- what the callbacks may read while a walk runs
    const std::string& ObjectName() const noexcept { return objectName_; }
    const std::string& InstanceName() const noexcept { return instanceName_; }
    const std::string& CounterName() const noexcept { return counterName_; }
    std::int32_t InstancePosition() const noexcept { return instancePosition_; }
    // When the system gathered the data being walked (its PerfTime100nSec,
    // 100-nanosecond units); 0 when the data carry no time stamp.
    std::uint64_t DataTime() const noexcept { return dataTime_; }

    // ---- operations
    // The name of title index `index`; empty outside the table.
    std::string GetName(std::uint32_t index) const;
    int KERNEL_LoadNames();
    int KERNEL_KillScope();
    // Queries the scope and walks it: 0, or 6 when dead, without a scope or
    // names, or when the query fails.
    int KERNEL_LoadScope();
    int Refresh() { return KERNEL_LoadScope(); }
    // A counter's raw value by its size bits: 0, or 6 (value 0) when dead,
    // without a counter, or for a value that cannot be read.
    int GetData(const _perfcounter* counter, std::uint64_t& value);

    // Growths of one load are bounded; a system that keeps asking for more
    // gets this many tries.
    static constexpr std::uint32_t MAX_GROWTHS = 32;
    // The buffer never grows beyond this.
    static constexpr std::uint32_t MAX_DATA_SIZE = 64u << 20;
    // After an answer without a single object, this many refreshes take it
    // as their answer before the system is asked again (a minute at 1 Hz).
    // Each further empty answer in a row doubles the wait, up to
    // EMPTY_REUSES_MAX (an hour at 1 Hz): a system without providers stays
    // so, and under Wine every query costs a kernel handle for good.
    static constexpr std::uint32_t EMPTY_REUSES = 59;
    static constexpr std::uint32_t EMPTY_REUSES_MAX = 3599;

private:
    class Walker;

    _registrybackend& backend_;
    bool dead_ = false;
    std::string scope_;
    std::uint32_t dataSize_ = 5000;
    std::uint32_t dataAdjust_ = 1000;
    std::uint32_t dataFaults_ = 0;
    std::uint32_t emptyReuses_ = 0;
    std::uint32_t emptyWait_ = 0;  // the reuses after the last empty answer
    _perffilters filters_;

    bool namesLoaded_ = false;
    std::vector<std::string> names_;
    std::vector<std::uint8_t> data_;

    std::string objectName_;
    std::string instanceName_;
    std::string counterName_;
    std::int32_t instancePosition_ = -1;
    std::uint64_t dataTime_ = 0;
};

}  // namespace corvex
