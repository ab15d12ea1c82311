#include "Label.h"

namespace corvex {

_label::_label(_component* owner, _wincontrol* parent, std::string caption)
    : _graphiccontrol(owner, parent), caption_(std::move(caption)) {
    bounds_ = _rect::Bounds(0, 0, 65, 13);
    AdjustSize();
}

void _label::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    AdjustSize();
    Invalidate();
}

void _label::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    AdjustSize();
}

void _label::SetAlignment(_alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void _label::SetFocusControl(_wincontrol* control) {
    if (control == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(*this);
    focusControl_ = control;
    if (focusControl_) focusControl_->FreeNotification(*this);
}

void _label::Notification(_component& destroyed) {
    if (&destroyed == focusControl_) focusControl_ = nullptr;
    _graphiccontrol::Notification(destroyed);
}

void _label::FontChanged() {
    AdjustSize();
    Invalidate();
}

void _label::AdjustSize() {
    if (!autoSize_) return;
    const _windowdc screen;
    RECT r{0, 0, 0, 0};
    {
        _canvas canvas(screen.Handle());
        canvas.SetFont(Font());
        // An empty caption still takes a line's height.
        DrawTextA(screen.Handle(), caption_.empty() ? " " : caption_.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    }
    SetBounds(Left(), Top(), caption_.empty() ? 0 : r.right, r.bottom);
}

void _label::Paint(_canvas& canvas) {
    const _rect area = ClientRect();
    if (!Transparent()) {
        canvas.SetBrush(Color());
        canvas.FillRect(area);
    }
    canvas.SetFont(Font());
    RECT r{area.left, area.top, area.right, area.bottom};
    SetBkMode(canvas.Handle(), TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_EXPANDTABS |
                        (alignment_ == TEXT_RIGHT ? DT_RIGHT : alignment_ == TEXT_CENTER ? DT_CENTER : DT_LEFT);
    if (!Enabled()) {
        // A highlight one pixel down and right, the shadow on top of it.
        RECT etch{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(canvas.Handle(), ToRGB(SYSCOLOR_BTNHIGHLIGHT));
        DrawTextA(canvas.Handle(), caption_.c_str(), -1, &etch, format);
        SetTextColor(canvas.Handle(), ToRGB(SYSCOLOR_BTNSHADOW));
    } else {
        SetTextColor(canvas.Handle(), ToRGB(Font().color));
    }
    DrawTextA(canvas.Handle(), caption_.c_str(), -1, &r, format);
}

}  // namespace corvex
