#include "FsrSentinel.h"

#include "FSR_Win32.h"

namespace corvex {

// ---- _fsrsentinel

// The reader is made before the band itself is set up.
_fsrsentinel::_fsrsentinel(_component* owner) : _sentinel(owner) {
    fsr_ = &Make<_fsr>();
    SetCaption("FSR Sentinel");
}

_fsrsentinel::_fsrsentinel(_component* owner, _thunk16& thunk, _winrelease release) : _sentinel(owner) {
    fsr_ = &Make<_fsr>(thunk, release);
    SetCaption("FSR Sentinel");
}

_result _fsrsentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    if (!fsr_) return _ERROR;
    const auto bind = [this](_speeder* speeder) {
        auto* row = static_cast<_sfsr*>(speeder);
        row->Bind(fsr_);
        // A dead reader only ever shows full bars: hidden until the row's
        // "Hidden" value says otherwise.
        if (fsr_->Dead()) row->ChangeOption(SPEEDER_HIDDEN, true);
    };
    _speeder* speeder = nullptr;
    if (LinkSpeeder<_suser32>("usr", speeder) == _OK) bind(speeder);
    if (LinkSpeeder<_sgdi32>("gdi", speeder) == _OK) bind(speeder);
    return _OK;
}

// ---- the rows

_sfsr::_sfsr(_component* owner) : _gspeeder(owner) {
    SetOption(SPEEDER_INVERTED, true);
    SetUnsupported(Unsupported() | SPEEDER_METERS);
}

_result _sfsr::RefreshPulse(unsigned elapsed) {
    if (!fsr_) return _ERROR;
    if (Stopped()) return _OK;
    SetAmounts(Sample(*fsr_), 100);
    return _gspeeder::RefreshPulse(elapsed);
}

_suser32::_suser32(_component* owner) : _sfsr(owner) {
    SetName("usr");
    SetHelpAnchor("_susr");
    SetIconIndex(4);
    SetAmounts(Free(), 100);
}

std::int32_t _suser32::Sample(_fsr& fsr) { return fsr.USER(); }

_sgdi32::_sgdi32(_component* owner) : _sfsr(owner) {
    SetName("gdi");
    SetHelpAnchor("_sgdi");
    SetIconIndex(3);
    SetAmounts(Free(), 100);
}

std::int32_t _sgdi32::Sample(_fsr& fsr) { return fsr.GDI(); }

}  // namespace corvex
