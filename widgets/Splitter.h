#pragma once
// _splitter: a thin bar between two aligned controls. Dragging it resizes
// the control on its aligned side (the one it touches), never below
// MinSize, and the parent lays its aligned controls out again.

#include "Control.h"

namespace corvex {

class _splitter : public _wincontrol {
public:
    // `align` is ALIGN_LEFT, ALIGN_RIGHT, ALIGN_TOP or ALIGN_BOTTOM.
    _splitter(_component* owner, _wincontrol* parent, _align align = ALIGN_LEFT);

    int MinSize() const noexcept { return minSize_; }
    void SetMinSize(int pixels) noexcept { minSize_ = pixels > 0 ? pixels : 1; }
    // The control this splitter resizes, or nullptr.
    _control* Neighbour() const noexcept;

    _notifyevent OnMoved;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnButtonDown(LPARAM lparam);
    LRESULT OnMouseMove(LPARAM lparam);
    LRESULT OnButtonUp();
    LRESULT OnCaptureChanged();
    bool Vertical() const noexcept { return Align() == ALIGN_LEFT || Align() == ALIGN_RIGHT; }

    int minSize_ = 30;
    bool dragging_ = false;
    _point grab_;
};

}  // namespace corvex
