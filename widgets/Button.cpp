#include "Button.h"

namespace corvex {

_button::_button(_component* owner, _wincontrol* parent, const std::string& caption)
    : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 75, 25);
    _createparams params;
    params.className = "BUTTON";
    params.style = BS_PUSHBUTTON | WS_TABSTOP;
    params.text = caption;
    CreateHandle(params);
}

void _button::SetDefault(bool on) {
    if (on == default_) return;
    default_ = on;
    if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void _button::Click() {
    if (Enabled()) Raise(OnClick);
}

LRESULT _button::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _button::OnCommand(WPARAM wparam) {
    if (HIWORD(wparam) == BN_CLICKED) Click();
    return 0;
}

_checkbox::_checkbox(_component* owner, _wincontrol* parent, const std::string& caption)
    : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 97, 17);
    _createparams params;
    params.className = "BUTTON";
    params.style = BS_AUTOCHECKBOX | WS_TABSTOP;
    params.text = caption;
    CreateHandle(params);
}

bool _checkbox::Checked() const noexcept {
    return Perform(BM_GETCHECK) == BST_CHECKED;
}

void _checkbox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    Perform(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    Raise(OnClick);
}

LRESULT _checkbox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _checkbox::OnCommand(WPARAM wparam) {
    // The box has already toggled itself.
    if (HIWORD(wparam) == BN_CLICKED) Raise(OnClick);
    return 0;
}

}  // namespace corvex
