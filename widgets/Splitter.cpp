#include "Splitter.h"

namespace corvex {

_splitter::_splitter(_component* owner, _wincontrol* parent, _align align) : _wincontrol(owner, parent) {
    const bool vertical = align == ALIGN_LEFT || align == ALIGN_RIGHT;
    bounds_ = vertical ? _rect::Bounds(0, 0, 3, 100) : _rect::Bounds(0, 0, 100, 3);
    SetCursor(vertical ? IDC_SIZEWE : IDC_SIZENS);
    CreateHandle({});
    SetAlign(align == ALIGN_RIGHT || align == ALIGN_TOP || align == ALIGN_BOTTOM ? align : ALIGN_LEFT);
}

_control* _splitter::Neighbour() const noexcept {
    if (!Parent()) return nullptr;
    for (std::size_t i = 0; i < Parent()->ControlCount(); ++i) {
        _control* c = Parent()->Controls(i);
        if (c == this || c->Align() != Align() || !c->Visible()) continue;
        const _rect& r = c->BoundsRect();
        switch (Align()) {
            case ALIGN_LEFT:
                if (r.right == Left()) return c;
                break;
            case ALIGN_RIGHT:
                if (r.left == BoundsRect().right) return c;
                break;
            case ALIGN_TOP:
                if (r.bottom == Top()) return c;
                break;
            default:
                if (r.top == BoundsRect().bottom) return c;
                break;
        }
    }
    return nullptr;
}

LRESULT _splitter::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_LBUTTONDOWN: return OnButtonDown(lparam);
        case WM_MOUSEMOVE: return OnMouseMove(lparam);
        case WM_LBUTTONUP: return OnButtonUp();
        case WM_CAPTURECHANGED: return OnCaptureChanged();
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _splitter::OnButtonDown(LPARAM lparam) {
    grab_ = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    dragging_ = true;
    SetCapture(Handle());
    return 0;
}

LRESULT _splitter::OnMouseMove(LPARAM lparam) {
    if (!dragging_) return 0;
    _control* neighbour = Neighbour();
    if (!neighbour) return 0;
    const _point at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    const int delta = Vertical() ? at.x - grab_.x : at.y - grab_.y;
    if (delta == 0) return 0;
    // Growing towards the splitter's side for left and top neighbours,
    // away from it for right and bottom ones.
    const bool grows = Align() == ALIGN_LEFT || Align() == ALIGN_TOP;
    const int size = (Vertical() ? neighbour->Width() : neighbour->Height()) + (grows ? delta : -delta);
    const int wanted = size < minSize_ ? minSize_ : size;
    if (Vertical())
        neighbour->SetWidth(wanted);
    else
        neighbour->SetHeight(wanted);
    if (Parent()) Parent()->AlignControls();
    Raise(OnMoved);
    return 0;
}

LRESULT _splitter::OnCaptureChanged() {
    dragging_ = false;
    return 0;
}

LRESULT _splitter::OnButtonUp() {
    if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
    }
    return 0;
}

}  // namespace corvex
