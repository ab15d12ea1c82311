#include "MemorySentinel.h"

#include "FSR_Win32.h"
#include "Impulse_Zolt2.h"

namespace corvex {

namespace {

constexpr double kFreeMemSteps = 100;

double Bytes(std::uint64_t amount) noexcept { return static_cast<double>(amount); }

}  // namespace

// ---- _memsentinel

_memsentinel::_memsentinel(_component* owner) : _sentinel(owner) { SetCaption("Memory Sentinel"); }

_result _memsentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    _speeder* speeder = nullptr;
    LinkSpeeder<_sram>("ram", speeder);
    LinkSpeeder<_sswap>("swp", speeder);
    LinkSpeeder<_svmem>("vm", speeder);
    return _OK;
}

// ---- _sram

_sram::_sram(_component* owner) : _gspeeder(owner) {
    mem_ = &Make<_mem>();
    SetName("ram");
    SetHelpAnchor("_sram");
    SetIconIndex(1);
    // The installed memory does not change while the program runs.
    SetAmounts(Free(), Bytes(mem_->RAMTotal()));
}

_result _sram::RefreshPulse(unsigned elapsed) {
    if (Stopped()) return _OK;
    SetAmounts(Bytes(mem_->RAMFree()), Total());
    return _gspeeder::RefreshPulse(elapsed);
}

// ---- _sswap

_sswap::_sswap(_component* owner) : _gspeeder(owner) {
    mem_ = &Make<_mem>();
    SetName("swp");
    SetHelpAnchor("_sswp");
    SetIconIndex(2);
}

_result _sswap::RefreshPulse(unsigned elapsed) {
    if (Stopped()) return _OK;
    // The page file grows and shrinks: both amounts, from one reading.
    const _memorystatus status = mem_->Status();
    SetAmounts(Bytes(status.pageFree), Bytes(status.pageTotal));
    return _gspeeder::RefreshPulse(elapsed);
}

// ---- _svmem

_svmem::_svmem(_component* owner) : _gspeeder(owner) {
    mem_ = &Make<_mem>();
    SetName("vm");
    SetHelpAnchor("_svm");
    SetIconIndex(1);
    // Of interest to few: shown once the user asks for it.
    SetOption(SPEEDER_HIDDEN, true);
    SetAmounts(Free(), Bytes(mem_->VirtualTotal()));
}

_result _svmem::RefreshPulse(unsigned elapsed) {
    if (Stopped()) return _OK;
    SetAmounts(Bytes(mem_->VirtualFree()), Total());
    return _gspeeder::RefreshPulse(elapsed);
}

// ---- _smemfree

_smemfree::_smemfree(_component* owner) : _gspeeder(owner) {
    SetName("free...");
    SetHelpAnchor("_memsentinel");
    SetIconIndex(1);
    // The command drives it step by step; the engine's timer is off anyway.
    SetOption(SPEEDER_UNTIMED, true);
    SetUnsupported(SPEEDER_METERS);
    SetAmounts(kFreeMemSteps, kFreeMemSteps);
    Graph().SetStyle(IMPULSE_PROGRESSOR);
    // A progress bar, not a level: the tolerable colour until it is full.
    _speederlevels levels = Levels();
    levels.l1Limit = 100;
    levels.l2Limit = 101;
    SetLevels(levels);
}

_result _smemfree::RefreshPulse(unsigned elapsed) {
    // A stopped row takes no step (the base leaves its gauge alone too).
    if (Stopped()) return _OK;
    const double free = Free() - elapsed;
    // Past 100 steps the gauge would read above 100 %.
    SetAmounts(free > 0 ? free : 0, Total());
    return _gspeeder::RefreshPulse(elapsed);
}

}  // namespace corvex
