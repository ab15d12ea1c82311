#include "WindowHook.h"

namespace corvex {

namespace {
// The innermost hook of a window is kept in a window property, so that the
// shared procedure finds its object without a global table.
const char* const kHookProperty = "corvex.windowhook";
// The hook the next call of the shared procedure is for: an outer hook's
// previous procedure is that same function, which reaches the outer object
// through this, not through the property.
thread_local _windowhook* chained = nullptr;
}  // namespace

_windowhook::_windowhook(HWND window, Handler handler)
    : window_(window), handler_(std::move(handler)) {
    if (!IsWindow(window_)) return;
    outer_ = static_cast<_windowhook*>(GetPropA(window_, kHookProperty));
    SetPropA(window_, kHookProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

_windowhook::~_windowhook() {
    if (!previous_ || !IsWindow(window_)) return;
    auto* innermost = static_cast<_windowhook*>(GetPropA(window_, kHookProperty));
    if (innermost == this) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        if (outer_)
            SetPropA(window_, kHookProperty, outer_);
        else
            RemovePropA(window_, kHookProperty);
        return;
    }
    // Removed before a hook installed after it: that hook passes messages
    // on to this one, so it takes over what this one passed them to.
    // Restoring the window procedure here would cut the later hook off and
    // leave it pointing at this destroyed object.
    for (_windowhook* hook = innermost; hook; hook = hook->outer_) {
        if (hook->outer_ == this) {
            hook->outer_ = outer_;
            hook->previous_ = previous_;
            break;
        }
    }
}

LRESULT _windowhook::CallPrevious(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) const {
    // Also when a handler passes the message on itself, before it acts.
    if (previous_ == &Procedure) chained = outer_;
    return CallWindowProcA(previous_, hwnd, message, wparam, lparam);
}

LRESULT CALLBACK _windowhook::Procedure(HWND hwnd, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
    _windowhook* hook = chained ? chained
                                : static_cast<_windowhook*>(GetPropA(hwnd, kHookProperty));
    chained = nullptr;
    if (!hook) return DefWindowProcA(hwnd, message, wparam, lparam);

    LRESULT result = 0;
    if (!(hook->handler_ && hook->handler_(hwnd, message, wparam, lparam, result))) {
        result = hook->CallPrevious(hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: the hook must not restore a procedure later,
        // least of all on another window that got the same handle.
        if (GetPropA(hwnd, kHookProperty) == hook) RemovePropA(hwnd, kHookProperty);
        hook->window_ = nullptr;
        hook->previous_ = nullptr;
    }
    return result;
}

}  // namespace corvex
