#pragma once
// _trackbar: the common controls' slider, horizontal, without a tab stop.
// OnChange runs on every change of Position, by the user or the program.

#include "Control.h"

namespace corvex {

// The sides of the channel tick marks go on; on both sides the thumb is a
// plain bar rather than a pointer.
enum _tickmarks : unsigned char {
    TICKMARKS_BOTTOM_RIGHT,
    TICKMARKS_TOP_LEFT,
    TICKMARKS_BOTH,
};

class _trackbar : public _wincontrol {
public:
    _trackbar(_component* owner, _wincontrol* parent);

    long Min() const noexcept { return min_; }
    long Max() const noexcept { return max_; }
    // A range with minimum > maximum is turned round; the position is held
    // inside the new range.
    void SetRange(long minimum, long maximum);
    void SetMax(long maximum) { SetRange(min_, maximum); }
    long Position() const noexcept;
    void SetPosition(long position);
    // A tick every `frequency` steps (0: no ticks).
    void SetFrequency(long frequency);
    void SetThumbLength(int pixels);
    void SetTickMarks(_tickmarks marks);
    // Without ticks only the channel and the thumb are drawn.
    void SetTicksDrawn(bool drawn);

    _notifyevent OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnScroll();

    long min_ = 0;
    long max_ = 10;
    long reported_ = 0;  // the position OnChange last told about
};

}  // namespace corvex
