#include "ToolTip.h"

#include <commctrl.h>

namespace corvex {

namespace {

// The first form of the record: every comctl32 since Windows 95 takes it.
TTTOOLINFOA ToolOf(const _wincontrol& control) noexcept {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = GetParent(control.Handle());
    tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    return tool;
}

// The top-level window a control lives in.
HWND FormOf(const _wincontrol& control) noexcept {
    const HWND window = control.Handle();
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root ? root : window;
}

}  // namespace

_tooltip::_tooltip(_component* owner, _wincontrol& host) : _wincontrol(owner, nullptr) {
    _createparams params;
    params.className = TOOLTIPS_CLASSA;
    // No prefix: a hint may hold "&" as it stands.
    params.style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    params.exStyle = WS_EX_TOPMOST;
    params.owner = FormOf(host);
    CreateHandle(params);
}

void _tooltip::SetHint(_wincontrol& control, const std::string& text) {
    if (!control.Handle() || text == Hint(control)) return;
    TTTOOLINFOA tool = ToolOf(control);
    Perform(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    // The tool-tip watches the control's mouse messages itself.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = const_cast<char*>(text.c_str());
    Perform(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string _tooltip::Hint(const _wincontrol& control) const {
    if (!control.Handle()) return {};
    TTTOOLINFOA tool = ToolOf(control);
    // 80 characters is the most a tool-tip of the first form keeps.
    char text[80] = {};
    tool.lpszText = text;
    Perform(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

}  // namespace corvex
