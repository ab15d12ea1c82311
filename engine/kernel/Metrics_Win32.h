#pragma once
// _metrics: the display as the bar needs it - screen size, colour depth,
// refresh rate and desktop work area - and a notification when the display
// mode changes. A hidden top-level window of its own receives the system's
// broadcast of the change.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "BarGeometry.h"
#include "Component.h"
#include "Core_Zolt2.h"

namespace corvex {

class _messagewindow;

class _metrics : public _component {
public:
    explicit _metrics(_component* owner);
    ~_metrics() override;

    // ---- published (read-only in use)
    _result Error() const noexcept { return error_; }
    const std::string& ErrorStr() const noexcept { return errorStr_; }
    int ScreenX() const noexcept { return screenX_; }
    int ScreenY() const noexcept { return screenY_; }
    int OldScreenX() const noexcept { return oldScreenX_; }
    int OldScreenY() const noexcept { return oldScreenY_; }
    int ScreenBits() const noexcept { return screenBits_; }
    int ScreenHz() const noexcept { return screenHz_; }
    std::string ResolutionStr() const { return ResolutionText(screenX_, screenY_, screenBits_, screenHz_); }
    // Raised after each change of display mode, the values already new.
    std::function<void(_component&)> OnScreenChange;

    // The work area as last read or set.
    const _workarea& WorkArea() const noexcept { return workArea_; }
    HWND WindowHandle() const noexcept;

    // ---- operations
    void Update();
    // Sets the desktop work area and tells every window.
    void SetWorkArea(const _workarea& area);

private:
    bool DisplayMessage(UINT message);
    void Fail();

    _result error_ = _OK;
    std::string errorStr_;
    int screenX_ = 0, screenY_ = 0;
    int oldScreenX_ = 0, oldScreenY_ = 0;
    int screenBits_ = 0, screenHz_ = 0;
    _workarea workArea_;
    std::unique_ptr<_messagewindow> window_;
};

}  // namespace corvex
