#pragma once
// The Kernel Sentinel and its Speeders: how many processes, threads,
// events, mutexes, semaphores and sections the system holds.
//
//   _kernelsentinel  reads the performance data's Objects object once per
//                    tick (while hidden too) and hands each count to its
//                    Speeder; where the data hold no such object (as under
//                    Wine), processes and threads come from a snapshot of
//                    the process list and the other counts are unknown
//   _skernel         the text readout of one count
//   _sthread, _sprocess, _sevent, _smutex, _ssemaphore, _ssection
//
// Windows tree only.

#include <cstdint>
#include <memory>
#include <string>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _pulse;
class _registrybackend;
class _toolhelp;
struct _perfcounter;

class _kernelsentinel : public _sentinel {
public:
    explicit _kernelsentinel(_component* owner);
    // `backend` serves the performance data (tests pass their own).
    _kernelsentinel(_component* owner, _registrybackend& backend);
    ~_kernelsentinel() override;

    bool Dead() const noexcept { return dead_; }
    _pulse* Reader() const noexcept { return reader_; }
    // Whether the last tick counted from the process list.
    bool FromSnapshot() const noexcept { return fromSnapshot_; }

    _result PlugSpeeders() override;
    _result RefreshSpeedersPulse(unsigned elapsed) override;

    // The reader's counter handler: the first Speeder of that counter gets
    // its value. 0.
    int KERNEL_OnCounter(std::uint32_t titleIndex, const _perfcounter& counter);

private:
    void CountFromSnapshot();

    bool dead_ = false;
    bool objectSeen_ = false;
    bool fromSnapshot_ = false;
    _pulse* reader_ = nullptr;  // owned through the component list
    std::unique_ptr<_toolhelp> toolhelp_;
};

class _skernel : public _tspeeder {
public:
    explicit _skernel(_component* owner);

    _pulse* Reader() const noexcept { return reader_; }
    void SetReader(_pulse* reader) noexcept { reader_ = reader; }
    std::uint32_t Counter() const noexcept { return counter_; }
    std::uint64_t Raw() const noexcept { return raw_; }
    // A count read; the next refresh shows it.
    void SetRaw(std::uint64_t raw) noexcept {
        raw_ = raw;
        known_ = true;
    }
    // No source has this count: the next refresh shows "n/a".
    void SetUnknown() noexcept { known_ = false; }
    const std::string& Format() const noexcept { return format_; }
    std::int64_t Shown() const noexcept { return shown_; }

    // The count as text: 6, with a check line, without a reader.
    _result RefreshPulse(unsigned elapsed) override;

protected:
    void SetCounter(std::uint32_t counter) noexcept { counter_ = counter; }

private:
    _pulse* reader_ = nullptr;
    std::uint32_t counter_ = 0;
    std::uint64_t raw_ = 0;
    std::string format_ = "%d";
    std::int64_t shown_ = 0;
    bool known_ = true;
    std::string text_;  // the formatted count, its storage kept
};

class _sthread final : public _skernel {
public:
    explicit _sthread(_component* owner);
};
class _sprocess final : public _skernel {
public:
    explicit _sprocess(_component* owner);
};
class _sevent final : public _skernel {
public:
    explicit _sevent(_component* owner);
};
class _smutex final : public _skernel {
public:
    explicit _smutex(_component* owner);
};
class _ssemaphore final : public _skernel {
public:
    explicit _ssemaphore(_component* owner);
};
class _ssection final : public _skernel {
public:
    explicit _ssection(_component* owner);
};

}  // namespace corvex
