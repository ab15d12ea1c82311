#include "Form.h"

#include "Application.h"
#include "Label.h"
#include "Menu.h"

namespace corvex {

namespace {

DWORD StyleOf(_formborder border, unsigned char icons) noexcept {
    DWORD style = WS_CLIPCHILDREN;
    switch (border) {
        case FORM_BORDER_NONE: return style | WS_POPUP;
        case FORM_BORDER_SINGLE: style |= WS_CAPTION | WS_BORDER; break;
        case FORM_BORDER_SIZEABLE: style |= WS_CAPTION | WS_THICKFRAME; break;
        case FORM_BORDER_DIALOG: style |= WS_POPUP | WS_CAPTION; break;
    }
    if (icons & BORDER_ICON_SYSTEM_MENU) {
        style |= WS_SYSMENU;
        // A dialog frame has no minimise or maximise box.
        if (border != FORM_BORDER_DIALOG) {
            if (icons & BORDER_ICON_MINIMIZE) style |= WS_MINIMIZEBOX;
            if (icons & BORDER_ICON_MAXIMIZE) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD ExStyleOf(_formborder border) noexcept {
    return border == FORM_BORDER_DIALOG ? WS_EX_DLGMODALFRAME : 0;
}

}  // namespace

_form::_form(_component* owner) : _wincontrol(owner, nullptr) {
    SetVisible(false);
    SetFont(_fontspec{});
    bounds_ = _rect::Bounds(0, 0, 320, 240);
    _createparams params;
    params.style = StyleOf(border_, icons_);
    params.exStyle = ExStyleOf(border_);
    params.owner = Application().Handle();
    CreateHandle(params);
    Application().FormCreated(*this);
}

_form::~_form() {
    Application().FormDestroyed(*this);
    // Owned controls go while the form is still a form.
    DestroyComponents();
}

void _form::ApplyStyle() {
    if (!Handle()) return;
    const DWORD keep =
        static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(StyleOf(border_, icons_) | keep));
    SetExStyleBits(WS_EX_DLGMODALFRAME, border_ == FORM_BORDER_DIALOG);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void _form::SetBorderStyle(_formborder border) {
    if (border == border_) return;
    border_ = border;
    ApplyStyle();
}

void _form::SetBorderIcons(unsigned char icons) {
    if (icons == icons_) return;
    icons_ = icons;
    ApplyStyle();
}

void _form::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    if (Handle())
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void _form::SetMinSize(int width, int height) noexcept {
    minWidth_ = width;
    minHeight_ = height;
}

void _form::SetPosition(_formposition position) {
    if (position == position_) return;
    position_ = position;
    centred_ = false;
    if (position_ == FORM_POSITION_SCREEN_CENTER && Visible()) Centre();
}

void _form::Centre() {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const _point origin = CentredOrigin({work.left, work.top, work.right, work.bottom}, Width(), Height());
    SetBounds(origin.x, origin.y, Width(), Height());
    centred_ = true;
}

void _form::SetOnTop(bool on) {
    if (on == onTop_) return;
    onTop_ = on;
    if (Handle())
        SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void _form::SetLayered(bool on) {
    if (on == layered_) return;
    layered_ = on;
    SetExStyleBits(WS_EX_LAYERED, on);
}

void _form::Close() {
    if (Handle()) SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

bool _form::ShortCut(_shortcut code) {
    if (shortCutMenu_ && shortCutMenu_->DispatchShortCut(code)) return true;
    if ((code & (SHORTCUT_ALT | SHORTCUT_CTRL)) != SHORTCUT_ALT) return false;
    return FocusByAccessKey(*this, static_cast<char>(ShortCutKey(code)));
}

bool _form::FocusByAccessKey(const _wincontrol& within, char key) {
    for (std::size_t i = 0; i < within.ControlCount(); ++i) {
        _control* child = within.Controls(i);
        if (!child->Visible()) continue;
        if (auto* label = dynamic_cast<_label*>(child)) {
            _wincontrol* target = label->FocusControl();
            if (target && target->Enabled() && target->Showing() && AccessKey(label->Caption()) == key) {
                target->SetFocus();
                return true;
            }
        } else if (auto* window = dynamic_cast<_wincontrol*>(child)) {
            if (FocusByAccessKey(*window, key)) return true;
        }
    }
    return false;
}

void _form::VisibleChanged() {
    if (!Handle()) return;
    if (Visible()) {
        if (position_ == FORM_POSITION_SCREEN_CENTER && !centred_) Centre();
        ShowWindow(Handle(), SW_SHOW);
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

LRESULT _form::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE: return OnClose();
        case WM_SHOWWINDOW: return OnShowWindow(wparam, lparam);
        case WM_GETMINMAXINFO: return OnGetMinMaxInfo(lparam);
        case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
        case WM_QUERYENDSESSION: return OnQueryEndSession();
        case WM_ENDSESSION: return OnEndSession(wparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _form::OnClose() {
    if (!CloseQuery()) return 0;
    Closed();
    Hide();
    if (Application().MainForm() == this) Application().Terminate();
    return 0;
}

LRESULT _form::OnShowWindow(WPARAM shown, LPARAM lparam) {
    if (shown) Shown();
    return Default(WM_SHOWWINDOW, shown, lparam);
}

LRESULT _form::OnGetMinMaxInfo(LPARAM info) {
    auto* limits = reinterpret_cast<MINMAXINFO*>(info);
    limits->ptMinTrackSize.x = AtLeast(limits->ptMinTrackSize.x, minWidth_);
    limits->ptMinTrackSize.y = AtLeast(limits->ptMinTrackSize.y, minHeight_);
    return 0;
}

LRESULT _form::OnSysCommand(WPARAM command, LPARAM lparam) {
    if ((command & 0xFFF0) == SC_MINIMIZE && Application().MainForm() == this) {
        Application().Minimize();
        return 0;
    }
    return Default(WM_SYSCOMMAND, command, lparam);
}

LRESULT _form::OnQueryEndSession() {
    if (!queryAnswered_) {
        queryAnswer_ = QueryEndSession();
        queryAnswered_ = true;
        endHandled_ = false;
    }
    return queryAnswer_ ? TRUE : FALSE;
}

LRESULT _form::OnEndSession(WPARAM ending) {
    if (!endHandled_) {
        EndSession(ending != 0);
        endHandled_ = true;
        queryAnswered_ = false;
    }
    return 0;
}

}  // namespace corvex
