#include "MessageWindow.h"

namespace corvex {

_messagewindow::_messagewindow(Handler handler)
    : _wincontrol(nullptr, nullptr), handler_(std::move(handler)) {
    SetVisible(false);
    _createparams params;
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW;  // never a task-bar button
    CreateHandle(params);
}

LRESULT _messagewindow::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (handler_ && handler_(message, wparam, lparam, result)) return result;
    return _wincontrol::WndProc(message, wparam, lparam);
}

}  // namespace corvex
