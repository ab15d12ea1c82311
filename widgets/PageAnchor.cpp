#include "PageAnchor.h"

#include "Control.h"
#include "WindowHook.h"

namespace corvex {

_pageanchor::_pageanchor(_component* owner, _control& control, int margin)
    : _component(owner), control_(&control), margin_(margin) {
    control.FreeNotification(*this);
    if (_wincontrol* parent = control.Parent())
        hook_ = std::make_unique<_windowhook>(
            parent->Handle(), [this](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT& r) {
                return OnMessage(w, m, wp, lp, r);
            });
    Stretch();
}

_pageanchor::~_pageanchor() = default;

void _pageanchor::Stretch() {
    if (!control_ || !control_->Parent()) return;
    const int width = control_->Parent()->ClientRect().Width() - margin_ - control_->Left();
    control_->SetWidth(width > 0 ? width : 0);
}

void _pageanchor::Notification(_component& destroyed) {
    if (&destroyed != control_) return;
    control_ = nullptr;
    hook_.reset();
}

bool _pageanchor::OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (message != WM_WINDOWPOSCHANGED) return false;
    // The page takes its new size first.
    result = hook_->CallPrevious(window, message, wparam, lparam);
    Stretch();
    return true;
}

}  // namespace corvex
