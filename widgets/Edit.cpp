#include "Edit.h"

#include <commctrl.h>

#include <cerrno>
#include <cstdlib>

namespace corvex {

namespace {
constexpr int kArrowsWidth = 15;
}

_edit::_edit(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 121, 21);
    SetColor(SYSCOLOR_WINDOW);
    _createparams params;
    params.className = "EDIT";
    params.style = ES_AUTOHSCROLL | WS_TABSTOP;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
}

char _edit::PasswordChar() const noexcept {
    return static_cast<char>(Perform(EM_GETPASSWORDCHAR));
}

void _edit::SetPasswordChar(char shown) {
    if (shown == PasswordChar()) return;
    Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(shown));
    Invalidate();
}

bool _edit::ReadOnly() const noexcept {
    return Handle() && (GetWindowLongPtrA(Handle(), GWL_STYLE) & ES_READONLY);
}

void _edit::SetReadOnly(bool on) {
    Perform(EM_SETREADONLY, on ? TRUE : FALSE);
}

void _edit::SetMaxLength(int characters) {
    Perform(EM_SETLIMITTEXT, characters > 0 ? characters : 0);
}

LRESULT _edit::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _edit::OnCommand(WPARAM wparam) {
    if (HIWORD(wparam) == EN_CHANGE) Raise(OnChange);
    return 0;
}

_updown::_updown(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, kArrowsWidth, 21);
    _createparams params;
    params.className = UPDOWN_CLASSA;
    params.style = UDS_ARROWKEYS;
    CreateHandle(params);
    // A symmetric range around a fixed position: every arrow press reports
    // a step, and the spin edit keeps the number itself.
    Perform(UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
    Perform(UDM_SETPOS32, 0, 0);
}

LRESULT _updown::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_NOTIFY: return OnNotify(lparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _updown::OnNotify(LPARAM lparam) {
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lparam);
    if (change->hdr.code != UDN_DELTAPOS) return 0;
    if (change->iDelta != 0) Raise(OnStep, change->iDelta > 0 ? 1 : -1);
    return 1;  // the control's own position stays put
}

_spinedit::_spinedit(_component* owner, _wincontrol* parent)
    : _edit(owner, parent), arrows_(&Make<_updown>(this)) {
    arrows_->OnStep = [this](int direction) { Step(direction); };
    SetText("0");
    Resized();
}

void _spinedit::SetRange(long minimum, long maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    min_ = minimum;
    max_ = maximum;
    long typed = 0;
    if (!TypedValue(typed) || typed != Clamp(typed)) SetValue(Value());
}

long _spinedit::Clamp(long value) const noexcept {
    return value < min_ ? min_ : value > max_ ? max_ : value;
}

bool _spinedit::TypedValue(long& value) const {
    const std::string text = Text();
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    while (*end == ' ') ++end;
    if (*end != '\0') return false;
    value = parsed;
    return true;
}

long _spinedit::Value() const {
    long typed = 0;
    return TypedValue(typed) ? Clamp(typed) : min_;
}

void _spinedit::SetValue(long value) {
    value = Clamp(value);
    long typed = 0;
    if (TypedValue(typed) && typed == value) return;
    SetText(std::to_string(value));
}

void _spinedit::Step(int direction) {
    const long step = direction > 0 ? increment_ : -increment_;
    const long current = Value();
    // Stepping past the ends of a long stops at the ends of the range.
    const long next = (step > 0 && current > max_ - step)   ? max_
                      : (step < 0 && current < min_ - step) ? min_
                                                            : current + step;
    SetValue(next);
}

LRESULT _spinedit::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KILLFOCUS: return OnKillFocus(wparam);
        default: return _edit::WndProc(message, wparam, lparam);
    }
}

LRESULT _spinedit::OnKillFocus(WPARAM wparam) {
    const LRESULT result = _edit::WndProc(WM_KILLFOCUS, wparam, 0);
    // Half-typed text ("5" on the way to "500", or nothing) is fine while
    // typing; once the user moves on the box shows the number it stands for.
    SetValue(Value());
    return result;
}

void _spinedit::Resized() {
    if (arrows_) {
        const _rect client = ClientRect();
        arrows_->SetBounds(client.right - kArrowsWidth, 0, kArrowsWidth, client.Height());
        // Text never runs under the arrows.
        Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kArrowsWidth));
    }
    _edit::Resized();
}

void _spinedit::EnabledChanged() {
    _edit::EnabledChanged();
    arrows_->SetEnabled(Enabled());
}

}  // namespace corvex
