#include "MemorySentinel.h"

#include "Impulse_Zolt2.h"

namespace corvex {

namespace {
constexpr double kFreeMemSteps = 100;
}  // namespace

// ---- _memsentinel

_memsentinel::_memsentinel(_component* owner) : _sentinel(owner) { SetCaption("Memory Sentinel"); }

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
