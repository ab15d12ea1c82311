#include "HotKeyField.h"

#include <commctrl.h>

namespace corvex {

_hotkeyfield::_hotkeyfield(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 121, 19);
    SetColor(SYSCOLOR_WINDOW);
    _createparams params;
    params.className = HOTKEY_CLASSA;
    params.style = WS_TABSTOP;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
    Perform(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

_shortcut _hotkeyfield::HotKey() const noexcept {
    return ShortCutFromHotKeyField(static_cast<unsigned>(Perform(HKM_GETHOTKEY)) & 0xFFFFu);
}

void _hotkeyfield::SetHotKey(_shortcut code) {
    if (code == HotKey()) return;
    Perform(HKM_SETHOTKEY, HotKeyFieldFromShortCut(code));
}

LRESULT _hotkeyfield::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _hotkeyfield::OnCommand(WPARAM wparam) {
    if (HIWORD(wparam) == EN_CHANGE) Raise(OnChange);
    return 0;
}

}  // namespace corvex
