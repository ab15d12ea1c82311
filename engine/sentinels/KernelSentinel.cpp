#include "KernelSentinel.h"

#include "Debug_Zolt2.h"
#include "KernelCounts.h"
#include "Label.h"
#include "Pulse_Win32.h"
#include "Registry_Win32.h"
#include "System_Zolt2.h"
#include "Toolhelp_Win32.h"

namespace corvex {

namespace {
const char* const kUnknown = "n/a";
}  // namespace

// ---- _kernelsentinel

_kernelsentinel::_kernelsentinel(_component* owner) : _kernelsentinel(owner, Win32Registry()) {}

_kernelsentinel::_kernelsentinel(_component* owner, _registrybackend& backend) : _sentinel(owner) {
    SetCaption("Kernel Sentinel");
    if (WindowsRelease() < 4) {
        dead_ = true;
        return;
    }
    reader_ = &Make<_pulse>(backend);
    reader_->SetScope(std::to_string(kernelobjects::OBJECT_OBJECTS));
    // Only the Objects object, whatever else the system sends with it.
    reader_->Filters().objectId = static_cast<std::int32_t>(kernelobjects::OBJECT_OBJECTS);
    reader_->OnObject = [this](std::uint32_t titleIndex) {
        if (titleIndex == kernelobjects::OBJECT_OBJECTS) objectSeen_ = true;
        return 0;
    };
    reader_->OnCounter = [this](std::uint32_t titleIndex, const _perfcounter& counter) {
        return KERNEL_OnCounter(titleIndex, counter);
    };
    dead_ = reader_->Dead();
    toolhelp_ = std::make_unique<_toolhelp>();
}

_kernelsentinel::~_kernelsentinel() = default;

_result _kernelsentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    _speeder* made = nullptr;
    LinkSpeeder<_sthread>("thread", made);
    LinkSpeeder<_sprocess>("process", made);
    LinkSpeeder<_sevent>("event", made);
    LinkSpeeder<_smutex>("mutex", made);
    LinkSpeeder<_ssemaphore>("semaphore", made);
    LinkSpeeder<_ssection>("sections", made);
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* speeder = dynamic_cast<_skernel*>(Speeders(i))) speeder->SetReader(reader_);
    return _OK;
}

_result _kernelsentinel::RefreshSpeedersPulse(unsigned elapsed) {
    if (dead_) return _OK;
    // Every tick, shown or hidden: the counts are ready when the band is.
    objectSeen_ = false;
    reader_->Refresh();
    const bool fromSnapshot = !objectSeen_;
    if (fromSnapshot != fromSnapshot_) {
        fromSnapshot_ = fromSnapshot;
        Log(20, fromSnapshot ? "_kernelsentinel.RefreshSpeedersPulse: no Objects in the performance "
                               "data, counting the process list"
                             : "_kernelsentinel.RefreshSpeedersPulse: Objects in the performance data");
    }
    if (fromSnapshot) CountFromSnapshot();
    return _sentinel::RefreshSpeedersPulse(elapsed);
}

int _kernelsentinel::KERNEL_OnCounter(std::uint32_t titleIndex, const _perfcounter& counter) {
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        auto* speeder = dynamic_cast<_skernel*>(Speeders(i));
        if (!speeder || speeder->Counter() != titleIndex) continue;
        std::uint64_t value = 0;
        reader_->GetData(&counter, value);  // 0 when it cannot be read
        speeder->SetRaw(value);
        break;
    }
    return 0;
}

void _kernelsentinel::CountFromSnapshot() {
    std::uint64_t processes = 0, threads = 0;
    const bool counted = toolhelp_->Count(processes, threads);
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        auto* speeder = dynamic_cast<_skernel*>(Speeders(i));
        if (!speeder) continue;
        // Events, mutexes, semaphores and sections have no other source:
        // they are unknown rather than a number that is not true.
        if (counted && speeder->Counter() == kernelobjects::COUNTER_THREADS)
            speeder->SetRaw(threads);
        else if (counted && speeder->Counter() == kernelobjects::COUNTER_PROCESSES)
            speeder->SetRaw(processes);
        else
            speeder->SetUnknown();
    }
}

// ---- _skernel

_skernel::_skernel(_component* owner) : _tspeeder(owner) {
    SetOption(SPEEDER_METERS | SPEEDER_GRAPH, false);
    SetUnsupported(Unsupported() | SPEEDER_METERS | SPEEDER_GRAPH);
    SetIconIndex(23);
    SetNameOffset(30);
}

_result _skernel::RefreshPulse(unsigned elapsed) {
    if (!reader_) {
        Check(true, "_sthreads.RefreshPulse: KEngine==NIL");
        return _ERROR;
    }
    shown_ = static_cast<std::int64_t>(raw_);
    if (known_) {
        FormatCount(format_, shown_, text_);
        TextLabel().SetCaption(text_);  // repaints only when the text changed
    } else {
        TextLabel().SetCaption(kUnknown);
    }
    return _tspeeder::RefreshPulse(elapsed);
}

// ---- the kinds

_sthread::_sthread(_component* owner) : _skernel(owner) {
    SetName("thread");
    SetHelpAnchor("_sthread");
    SetCounter(kernelobjects::COUNTER_THREADS);
}

_sprocess::_sprocess(_component* owner) : _skernel(owner) {
    SetName("process");
    SetHelpAnchor("_sprocess");
    SetCounter(kernelobjects::COUNTER_PROCESSES);
}

_sevent::_sevent(_component* owner) : _skernel(owner) {
    SetName("event");
    SetHelpAnchor("_sevent");
    SetCounter(kernelobjects::COUNTER_EVENTS);
}

_smutex::_smutex(_component* owner) : _skernel(owner) {
    SetName("mutex");
    SetHelpAnchor("_smutex");
    SetCounter(kernelobjects::COUNTER_MUTEXES);
}

_ssemaphore::_ssemaphore(_component* owner) : _skernel(owner) {
    SetName("semaphore");
    SetHelpAnchor("_ssemaphore");
    SetCounter(kernelobjects::COUNTER_SEMAPHORES);
}

_ssection::_ssection(_component* owner) : _skernel(owner) {
    SetName("sections");
    SetHelpAnchor("_ssections");
    SetCounter(kernelobjects::COUNTER_SECTIONS);
}

}  // namespace corvex
