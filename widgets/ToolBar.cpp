#include "ToolBar.h"

namespace corvex {

_speedbutton::_speedbutton(_component* owner, _wincontrol* parent, const std::string& caption)
    : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 48, 23);
    _createparams params;
    params.className = "BUTTON";
    params.style = BS_PUSHBUTTON | BS_FLAT;  // no WS_TABSTOP
    params.text = caption;
    CreateHandle(params);
}

void _speedbutton::Click() {
    if (Enabled()) Raise(OnClick);
}

LRESULT _speedbutton::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        // A speed button never keeps the focus from the control the user
        // works in.
        case WM_SETFOCUS: return 0;
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _speedbutton::OnCommand(WPARAM wparam) {
    if (HIWORD(wparam) == BN_CLICKED) Click();
    return 0;
}

_toolbar::_toolbar(_component* owner, _wincontrol* parent) : _panel(owner, parent) {
    SetBevelOuter(BEVEL_NONE);
    SetBounds(0, 0, 185, 29);
    SetAlign(ALIGN_TOP);
}

_speedbutton& _toolbar::AddButton(const std::string& caption, int width, int height) {
    _speedbutton& button = Make<_speedbutton>(this, caption);
    button.SetBounds(next_, 2, width, height);
    next_ += width;
    return button;
}

}  // namespace corvex
