#include "Metrics_Win32.h"

#include "Debug_Zolt2.h"
#include "Error_Zolt2.h"
#include "MessageWindow.h"

#include "System_Zolt2.h"

namespace corvex {

_metrics::_metrics(_component* owner) : _component(owner) {
    Log(30, "_metrics.Create: <-");
    window_ = std::make_unique<_messagewindow>([this](UINT message, WPARAM, LPARAM, LRESULT&) {
        // Seen, then left to the default procedure like every other message.
        DisplayMessage(message);
        return false;
    });
    Update();
    oldScreenX_ = screenX_;
    oldScreenY_ = screenY_;
    Log(30, "_metrics.Create: ->");
}

_metrics::~_metrics() = default;

HWND _metrics::WindowHandle() const noexcept { return window_ ? window_->Handle() : nullptr; }

bool _metrics::DisplayMessage(UINT message) {
    if (message != WM_DISPLAYCHANGE) return false;
    oldScreenX_ = screenX_;
    oldScreenY_ = screenY_;
    Update();
    if (OnScreenChange) {
        const auto handler = OnScreenChange;
        handler(*this);
    }
    return true;
}

void _metrics::Fail() {
    error_ = _ERROR;
    errorStr_ = LastErrorText();
}

void _metrics::Update() {
    screenX_ = GetSystemMetrics(SM_CXSCREEN);
    screenY_ = GetSystemMetrics(SM_CYSCREEN);
    DisplayDepth(screenBits_, screenHz_);
    RECT area{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        workArea_ = _workarea{area.left, area.top, area.right, area.bottom};
        error_ = _OK;
        errorStr_.clear();
    } else {
        workArea_ = _workarea{};
        Fail();
    }
}

void _metrics::SetWorkArea(const _workarea& area) {
    RECT r{area.left, area.top, area.right, area.bottom};
    if (SystemParametersInfoA(SPI_SETWORKAREA, 0, &r, SPIF_SENDCHANGE)) {
        error_ = _OK;
        errorStr_.clear();
        workArea_ = area;
    } else {
        Fail();
    }
}

}  // namespace corvex
