#include "FreeMemCommand.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "Application.h"
#include "Component.h"
#include "Corvex_Kernel.h"
#include "Debug_Zolt2.h"
#include "FreeMemPlan.h"
#include "Handle.h"
#include "MemorySentinel.h"
#include "Timer.h"

namespace corvex {

namespace {

std::uint64_t SystemPhysicalMemory() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

// The command's block (GlobalAlloc).
struct GlobalMemoryTraits {
    using value_type = HGLOBAL;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { GlobalFree(h); }
};

// The bytes of a locked block, unlocked when it goes.
class _globallock {
public:
    explicit _globallock(HGLOBAL block) noexcept
        : block_(block), bytes_(static_cast<unsigned char*>(GlobalLock(block))) {}
    ~_globallock() {
        if (bytes_) GlobalUnlock(block_);
    }
    _globallock(const _globallock&) = delete;
    _globallock& operator=(const _globallock&) = delete;
    unsigned char* Bytes() const noexcept { return bytes_; }

private:
    HGLOBAL block_;
    unsigned char* bytes_;
};

// The row as long as it exists: the message loop runs between the
// command's steps, and the Designer can destroy the row meanwhile.
class _rowwatch final : public _component {
public:
    explicit _rowwatch(_speeder& row) : row_(&row) { row.FreeNotification(*this); }
    _speeder* Row() const noexcept { return row_; }

protected:
    void Notification(_component& destroyed) override {
        if (&destroyed == row_) row_ = nullptr;
    }

private:
    _speeder* row_;
};

}  // namespace

_freememcommand::_freememcommand(TPULSE& bar) : bar_(bar), physicalMemory_(&SystemPhysicalMemory) {}

void _freememcommand::SetPhysicalMemorySource(_physicalmemory source) {
    physicalMemory_ = source ? std::move(source) : &SystemPhysicalMemory;
}

bool _freememcommand::Closing() const noexcept {
    return bar_.State() == CORVEX_CLOSING || bar_.State() == CORVEX_DOWN;
}

_result _freememcommand::Run() {
    // The message loop runs between the steps: the short-cut again, or a
    // click on a bar that is closing, must not start a second run.
    _memsentinel* memory = bar_.MemorySentinel();
    if (!memory || running_ || Closing()) return _ERROR;
    Log(10, "TPULSE.FreeMemMENUClick: <-");
    running_ = true;
    const std::uint64_t size = physicalMemory_() / 2;

    // A timer that was off (a bar not yet launched) stays off.
    const bool ticking = bar_.TIMER.Enabled();
    bar_.TIMER.SetEnabled(false);
    _smemfree& row = memory->Make<_smemfree>();
    memory->AddSpeeder(&row);
    Reignite(row, std::string());
    bar_.KERNEL_UpdateSize();
    bar_.Repaint();

    _result result = _ERROR;
    {
        _rowwatch watch(row);
        const bool wasTerminated = Application().Terminated();
        // A block larger than the address space is one that cannot be had.
        const _handle<GlobalMemoryTraits> block(
            size <= SIZE_MAX ? GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(size)) : nullptr);
        if (block) {
            const _globallock lock(block.get());
            for (unsigned step = 0; lock.Bytes() && step < FREEMEM_STEPS && watch.Row(); ++step) {
                result = _OK;
                watch.Row()->RefreshPulse(1);
                const _fillrange range = FreeMemStep(size, step, FREEMEM_STEPS);
                std::memset(lock.Bytes() + range.begin, 0xAA, static_cast<std::size_t>(range.end - range.begin));
                if (OnStep) OnStep(step + 1);
                Application().ProcessMessages();
                // Closed meanwhile (or the program is ending): stop touching.
                if (Closing()) break;
                if (!wasTerminated && Application().Terminated()) break;
            }
        }

        if (_speeder* left = watch.Row()) RemoveRow(*left);
    }
    bar_.KERNEL_UpdateSize();
    if (ticking && !Closing()) bar_.TIMER.SetEnabled(true);
    running_ = false;
    Log(10, "TPULSE.FreeMemMENUClick: -> (result=%d)", result);
    return result;
}

void _freememcommand::Abandon() {
    _memsentinel* memory = bar_.MemorySentinel();
    if (!running_ || !memory) return;
    for (std::size_t i = memory->SpeederCount(); i-- > 0;)
        if (auto* row = dynamic_cast<_smemfree*>(memory->Speeders(i))) RemoveRow(*row);
}

void _freememcommand::RemoveRow(_speeder& row) {
    _memsentinel& memory = *bar_.MemorySentinel();
    Retire(row, std::string());
    // Looked up rather than taken as the last: the Designer may have moved
    // it while the command ran.
    int index = -1;
    if (memory.FindSpeeder(&row, index) == _OK)
        memory.KillSpeederByIndex(index);
    else
        memory.Destroy(&row);
}

}  // namespace corvex
