#include "Pulse_Win32.h"

#include <windows.h>
#include <winperf.h>

#include <algorithm>
#include <cstddef>

#include "Debug_Zolt2.h"
#include "System_Zolt2.h"

namespace corvex {

static_assert(offsetof(PERF_DATA_BLOCK, PerfTime100nSec) == perf::BLOCK_PERF_TIME_100NSEC &&
                  sizeof(PERF_DATA_BLOCK) == perf::BLOCK_SIZE,
              "the performance data block as the reader walks it");

namespace {

const char* const kPerflib = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib";
const char* const kEnglishNames = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";

// Instance names come as UTF-16; the rest of the program reads ANSI text.
std::string AnsiName(const char16_t* text, std::size_t length) {
    if (length == 0) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    const int count = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return AsciiName(text, length);
    std::string name(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, count, &name[0], bytes, nullptr, nullptr);
    return name;
}

}  // namespace

// Keeps the reader's "current" fields up to date, logs the walk and passes
// accepted items on to the owner's callbacks.
class _pulse::Walker final : public _perfvisitor {
public:
    explicit Walker(_pulse& pulse) : pulse_(pulse) {}
    // The block's object count; unknown (not 0) for a block too short for it.
    std::uint32_t Objects() const noexcept { return objects_; }

    void SeenBlock(std::uint32_t numObjects) override {
        objects_ = numObjects;
        Log(90, "_pulse.KERNEL_LoadScope: PData=%p (NumObjectTypes=%u)",
            static_cast<const void*>(pulse_.data_.data()), numObjects);
    }
    void SeenObject(const _perfobject& o) override {
        Log(90, "_pulse.KERNEL_LoadScope: PObject=%p (%u=\"%s\", index=%u, NumInstances=%d)",
            static_cast<const void*>(o.at), o.titleIndex, pulse_.GetName(o.titleIndex).c_str(),
            static_cast<unsigned>(o.index), o.numInstances);
        instances_ = o.numInstances != perf::NO_INSTANCES;
    }
    void Object(const _perfobject& o) override {
        pulse_.objectName_ = pulse_.GetName(o.titleIndex);
        pulse_.instanceName_.clear();
        pulse_.instancePosition_ = -1;
        if (pulse_.OnObject) pulse_.OnObject(o.titleIndex);
    }
    void SeenInstance(const _perfinstance& i) override {
        Log(90, "_pulse.KERNEL_LoadScope: PInstance=%p (%d=\"%s\",index=%d)",
            static_cast<const void*>(i.at), i.position, i.name.c_str(), i.position);
    }
    int Instance(const _perfinstance& i) override {
        pulse_.instancePosition_ = i.position;
        pulse_.instanceName_ = i.name;
        return pulse_.OnInstance ? pulse_.OnInstance(i.position) : 0;
    }
    void SeenCounter(const _perfcounter& c) override {
        const std::string name = pulse_.GetName(c.titleIndex);
        if (instances_)
            Log(90, "_pulse.KERNEL_LoadScope: PCounterCurrent=%p (%u=\"%s\",index=%u)",
                static_cast<const void*>(c.definition), c.titleIndex, name.c_str(),
                static_cast<unsigned>(c.index));
        else
            Log(90, "_pulse.KERNEL_LoadScope: PCounterCurrent=%p (%u=%s, index=%u)",
                static_cast<const void*>(c.definition), c.titleIndex, name.c_str(),
                static_cast<unsigned>(c.index));
    }
    int Counter(const _perfcounter& c) override {
        pulse_.counterName_ = pulse_.GetName(c.titleIndex);
        return pulse_.OnCounter ? pulse_.OnCounter(c.titleIndex, c) : 0;
    }
    void Malformed(const char* what, std::size_t offset) override {
        Log(1, "_pulse.KERNEL_LoadScope: ERROR: malformed performance data (%s at offset %u)",
            what, static_cast<unsigned>(offset));
    }

private:
    _pulse& pulse_;
    bool instances_ = false;
    std::uint32_t objects_ = UINT32_MAX;
};

_pulse::_pulse(_component* owner, _registrybackend& backend)
    : _component(owner), backend_(backend) {
    Log(80, "_pulse.Create(%p): <-", static_cast<void*>(owner));
    if (WindowsRelease() <= 3) {
        dead_ = true;
        return;
    }
    KERNEL_LoadNames();
    Log(80, "_pulse.Create(%p): ->", static_cast<void*>(owner));
}

_pulse::~_pulse() {
    Log(80, "_pulse.Destroy: <-");
    if (!dead_) {
        KERNEL_KillScope();
        names_.clear();
    }
    Log(80, "_pulse.Destroy: ->");
}

void _pulse::SetScope(const std::string& scope) {
    Log(80, "_pulse.KERNEL_SetScope: <-");
    if (scope == scope_) return;
    scope_ = scope;
    emptyReuses_ = emptyWait_ = 0;  // another question: ask it at once
    Log(80, "_pulse.KERNEL_SetScope: ->");
}

std::string _pulse::GetName(std::uint32_t index) const {
    return index < names_.size() ? names_[index] : std::string();
}

int _pulse::KERNEL_LoadNames() {
    Log(80, "_pulse.KERNEL_LoadNames: <-");
    names_.clear();
    namesLoaded_ = false;
    emptyReuses_ = emptyWait_ = 0;
    int result = _ERROR;

    _regkey opened = 0;
    if (backend_.OpenKey(REGISTRY_LOCAL_MACHINE, kPerflib, false, REGISTRY_READ, opened) ==
        REGISTRY_SUCCESS) {
        _regkeyholder perflib(backend_, opened);
        std::uint32_t lastCounter = 0, size = sizeof lastCounter;
        // Read as the system keeps it; nothing below depends on it.
        backend_.QueryValue(perflib.get(), "Last Counter", nullptr,
                            reinterpret_cast<std::uint8_t*>(&lastCounter), &size);
    }
    if (backend_.OpenKey(REGISTRY_LOCAL_MACHINE, kEnglishNames, false, REGISTRY_READ, opened) ==
        REGISTRY_SUCCESS) {
        _regkeyholder english(backend_, opened);
        // The key's largest value size; some registries cannot tell it, and
        // then the value's own size serves.
        _regkeyinfo info;
        std::uint32_t size = 0;
        if (backend_.QueryInfoKey(english.get(), info) == REGISTRY_SUCCESS)
            size = info.maxValueLength;
        if (size == 0) backend_.QueryValue(english.get(), "Counter", nullptr, nullptr, &size);
        std::vector<std::uint8_t> text(size + 1u, 0);
        if (size > 0 && backend_.QueryValue(english.get(), "Counter", nullptr, text.data(),
                                            &size) == REGISTRY_SUCCESS) {
            if (!ParseCounterNames(reinterpret_cast<const char*>(text.data()), size, names_))
                Log(1, "_pulse.KERNEL_LoadNames: ERROR: counter names end at a bad index");
            namesLoaded_ = true;
            result = _OK;
        }
    }
    Log(80, "_pulse.KERNEL_LoadNames: -> %d", result);
    return result;
}

int _pulse::KERNEL_KillScope() {
    Log(80, "_pulse.KERNEL_KillScope: <-");
    if (dead_) return _ERROR;
    data_.clear();
    data_.shrink_to_fit();
    names_.clear();
    namesLoaded_ = false;
    emptyReuses_ = emptyWait_ = 0;
    // Closing the performance-data key lets the system release what it
    // gathered for the queries.
    backend_.CloseKey(REGISTRY_PERFORMANCE_DATA);
    Log(80, "_pulse.KERNEL_KillScope: -> %d", _OK);
    return _OK;
}

int _pulse::KERNEL_LoadScope() {
    Log(80, "_pulse.KERNEL_LoadScope: <-");
    if (dead_ || scope_.empty() || !namesLoaded_) return _ERROR;
    if (emptyReuses_ > 0) {
        // The last answer held no object at all: it stands for this
        // refresh too, and walks to nothing again.
        --emptyReuses_;
        Log(90, "_pulse.KERNEL_LoadScope: -> %d (no objects last time)", _OK);
        return _OK;
    }

    dataFaults_ = 0;
    data_.assign(dataSize_, 0);
    std::uint32_t size = dataSize_;
    for (;;) {
        Log(90, "_pulse.KERNEL_LoadScope: Retrieving perf data (Scope=%s, Data size=%u)",
            scope_.c_str(), dataSize_);
        size = dataSize_;
        const _regstatus status =
            backend_.QueryValue(REGISTRY_PERFORMANCE_DATA, scope_, nullptr, data_.data(), &size);
        if (status == REGISTRY_SUCCESS) break;
        if (status != REGISTRY_MORE_DATA) {
            // What the buffer holds now is no valid data: walk nothing.
            Log(1, "_pulse.KERNEL_LoadScope: ERROR: query failed (%ld)", status);
            return _ERROR;
        }
        if (++dataFaults_ > MAX_GROWTHS) {
            Log(1, "_pulse.KERNEL_LoadScope: ERROR: data still growing after %u tries",
                MAX_GROWTHS);
            return _ERROR;
        }
        // The size the system answers need not be what it needs: always grow.
        const std::uint64_t wanted = static_cast<std::uint64_t>(size > dataSize_ ? size : dataSize_) +
                                     (dataAdjust_ ? dataAdjust_ : 1);
        if (wanted > MAX_DATA_SIZE) {
            Log(1, "_pulse.KERNEL_LoadScope: ERROR: data larger than %u bytes", MAX_DATA_SIZE);
            return _ERROR;
        }
        dataSize_ = static_cast<std::uint32_t>(wanted);
        data_.assign(dataSize_, 0);
        Log(90, "_pulse.KERNEL_LoadScope: Not enough memory. Rolling back");
    }

    const std::size_t valid = size < data_.size() ? size : data_.size();
    ReadBlockTime(data_.data(), valid, dataTime_);
    Walker walker(*this);
    WalkPerfData(data_.data(), valid, filters_, walker, AnsiName);
    // A system where no provider answers (Wine's data are such a block)
    // keeps answering so; each query loads every provider's library and
    // walks the services' keys, which costs more than all else a tick does.
    if (walker.Objects() == 0) {
        emptyWait_ = emptyWait_ == 0 ? EMPTY_REUSES : std::min(2 * emptyWait_ + 1, EMPTY_REUSES_MAX);
        emptyReuses_ = emptyWait_;
    } else {
        emptyWait_ = 0;
    }
    Log(90, "_pulse.KERNEL_LoadScope: -> %d", _OK);
    return _OK;
}

int _pulse::GetData(const _perfcounter* counter, std::uint64_t& value) {
    Log(80, "_pulse.GetData(%p,%p,%p): <-",
        static_cast<const void*>(counter ? counter->definition : nullptr),
        static_cast<const void*>(counter ? counter->value : nullptr), static_cast<void*>(&value));
    value = 0;
    if (dead_ || !counter || !counter->definition) return _ERROR;
    if (!ReadCounterValue(*counter, value)) return _ERROR;
    Log(80, "_pulse.GetData(%p,%p,%p): -> %d", static_cast<const void*>(counter->definition),
        static_cast<const void*>(counter->value), static_cast<void*>(&value), _OK);
    return _OK;
}

}  // namespace corvex
