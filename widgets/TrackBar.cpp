#include "TrackBar.h"

#include <commctrl.h>

namespace corvex {

_trackbar::_trackbar(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 150, 45);
    _createparams params;
    params.className = TRACKBAR_CLASSA;
    params.style = TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM;  // no WS_TABSTOP
    CreateHandle(params);
    Perform(TBM_SETRANGEMIN, FALSE, min_);
    Perform(TBM_SETRANGEMAX, TRUE, max_);
}

void _trackbar::SetRange(long minimum, long maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == min_ && maximum == max_) return;
    min_ = minimum;
    max_ = maximum;
    Perform(TBM_SETRANGEMIN, FALSE, min_);
    Perform(TBM_SETRANGEMAX, TRUE, max_);
    OnScroll();  // the control may have moved the thumb into the range
}

long _trackbar::Position() const noexcept {
    return static_cast<long>(Perform(TBM_GETPOS));
}

void _trackbar::SetPosition(long position) {
    position = position < min_ ? min_ : position > max_ ? max_ : position;
    if (position == Position()) return;
    Perform(TBM_SETPOS, TRUE, position);
    OnScroll();
}

void _trackbar::SetFrequency(long frequency) {
    if (frequency <= 0) {
        Perform(TBM_CLEARTICS, TRUE);
        return;
    }
    Perform(TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
}

void _trackbar::SetThumbLength(int pixels) {
    SetStyleBits(TBS_FIXEDLENGTH, true);
    Perform(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(pixels));
}

void _trackbar::SetTickMarks(_tickmarks marks) {
    SetStyleBits(TBS_TOP | TBS_BOTH, false);
    if (marks == TICKMARKS_TOP_LEFT) SetStyleBits(TBS_TOP, true);
    if (marks == TICKMARKS_BOTH) SetStyleBits(TBS_BOTH, true);
    Invalidate();
}

void _trackbar::SetTicksDrawn(bool drawn) {
    SetStyleBits(TBS_NOTICKS, !drawn);
    SetStyleBits(TBS_AUTOTICKS, drawn);
    Invalidate();
}

LRESULT _trackbar::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_HSCROLL: return OnScroll();
        case REFLECT + WM_VSCROLL: return OnScroll();
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _trackbar::OnScroll() {
    // Dragging sends several notifications per position: report changes.
    const long now = Position();
    if (now == reported_) return 0;
    reported_ = now;
    Raise(OnChange);
    return 0;
}

}  // namespace corvex
