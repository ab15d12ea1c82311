#pragma once
// _windowhook: puts an object's handler in front of a window's procedure
// (subclassing) for as long as the hook lives. The handler sees every
// message first; what it does not consume goes on to the previous
// procedure. Hooks on one window may be removed in any order.

#include <windows.h>

#include <functional>

namespace corvex {

class _windowhook {
public:
    // Returns true when it handled the message and set `result`; false
    // passes the message on to the previous procedure.
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;

    _windowhook(HWND window, Handler handler);
    ~_windowhook();
    _windowhook(const _windowhook&) = delete;
    _windowhook& operator=(const _windowhook&) = delete;

    HWND Window() const noexcept { return window_; }
    // Passes a message to the procedure that was there before the hook.
    LRESULT CallPrevious(HWND, UINT, WPARAM, LPARAM) const;

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);

    HWND window_;
    Handler handler_;
    WNDPROC previous_ = nullptr;
    _windowhook* outer_ = nullptr;  // the hook installed before this one
};

}  // namespace corvex
