#include "Application.h"

#include "Form.h"

namespace corvex {

// The hidden window of the application: owner of every form, receiver of
// the end-of-session messages and of minimising the program.
class _applicationwindow final : public _wincontrol {
public:
    explicit _applicationwindow(_application& application)
        : _wincontrol(nullptr, nullptr), application_(application) {
        SetVisible(false);
        _createparams params;
        params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        // A tool window gets no task-bar button even when shown.
        params.exStyle = WS_EX_TOOLWINDOW;
        CreateHandle(params);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_QUERYENDSESSION: return ToMainForm(message, wparam, lparam, TRUE);
            case WM_ENDSESSION: return ToMainForm(message, wparam, lparam, 0);
            case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
            case WM_CLOSE: return OnClose();
            default: return _wincontrol::WndProc(message, wparam, lparam);
        }
    }

private:
    LRESULT ToMainForm(UINT message, WPARAM wparam, LPARAM lparam, LRESULT otherwise) {
        const _form* main = application_.MainForm();
        return main && main->Handle() ? SendMessageA(main->Handle(), message, wparam, lparam) : otherwise;
    }
    LRESULT OnSysCommand(WPARAM command, LPARAM lparam) {
        if ((command & 0xFFF0) == SC_MINIMIZE) {
            application_.Minimize();
            return 0;
        }
        return Default(WM_SYSCOMMAND, command, lparam);
    }
    LRESULT OnClose() {
        // Closing the program's window closes the main form, which ends it.
        if (_form* main = application_.MainForm()) main->Close();
        return 0;
    }

    _application& application_;
};

_application::_application() : window_(std::make_unique<_applicationwindow>(*this)) {}

_application::~_application() = default;

HWND _application::Handle() const noexcept {
    return window_ ? window_->Handle() : nullptr;
}

void _application::SetTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    if (window_) window_->SetText(title);
}

void _application::FormCreated(_form& form) noexcept {
    if (!main_) main_ = &form;
}

void _application::FormDestroyed(_form& form) noexcept {
    if (main_ == &form) main_ = nullptr;
}

void _application::Run() {
    terminated_ = false;
    if (main_ && !main_->Visible()) main_->Show();
    MSG message{};
    while (!terminated_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {  // WM_QUIT (or a broken queue)
            terminated_ = true;
            break;
        }
        Dispatch(message);
    }
}

void _application::ProcessMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Consumed here: the loop in Run sees the flag and ends.
            terminated_ = true;
            break;
        }
        Dispatch(message);
    }
}

bool _application::Dispatch(MSG& message) {
    if (OfferShortCut(message)) return true;
    if (message.hwnd && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
        auto* form = dynamic_cast<_form*>(_wincontrol::FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
        if (form && form->DialogKeys() && IsDialogMessageA(form->Handle(), &message)) return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void _application::Terminate() noexcept {
    // Terminated becomes true when the loop takes the quit message, so that
    // no stale WM_QUIT is left to hide the paint messages behind it.
    PostQuitMessage(0);
}

_shortcut _application::ShortCutOf(const MSG& message) noexcept {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return SHORTCUT_NONE;
    const unsigned key = static_cast<unsigned>(message.wParam) & 0xFFu;
    // The modifiers alone are no short-cut.
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return SHORTCUT_NONE;
    return MakeShortCut(key, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                        GetKeyState(VK_MENU) < 0);
}

bool _application::OfferShortCut(const MSG& message) {
    const _shortcut code = ShortCutOf(message);
    if (code == SHORTCUT_NONE || !message.hwnd) return false;
    auto* form = dynamic_cast<_form*>(_wincontrol::FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
    return form && form->IsShortCut(code);
}

void _application::BringToFront() noexcept {
    HWND target = main_ ? main_->Handle() : nullptr;
    if (HWND last = GetLastActivePopup(Handle()); last && last != Handle() && IsWindowVisible(last))
        target = last;
    if (target) SetForegroundWindow(target);
}

void _application::Minimize() {
    if (main_ && main_->Handle()) ShowWindow(main_->Handle(), SW_MINIMIZE);
    Raise(OnMinimize);
}

void _application::Restore() noexcept {
    if (main_ && main_->Handle() && IsIconic(main_->Handle())) ShowWindow(main_->Handle(), SW_RESTORE);
}

_application& Application() {
    static _application application;
    return application;
}

}  // namespace corvex
