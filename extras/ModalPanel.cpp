#include "ModalPanel.h"

#include <utility>

#include "Canvas.h"

// The image base of the module this code is linked into: the library's own
// instance, without keeping it in a global from DllMain.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace corvex {

namespace {

HINSTANCE ModuleInstance() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

_modalpanel::_modalpanel(const char* className, std::string caption)
    : className_(className), caption_(std::move(caption)) {}

void _modalpanel::ShowModal() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_;
    // A panel already open on another thread has registered the class:
    // its registration serves this one too.
    RegisterClassA(&wc);

    // The active window is the caller's top-level window on this thread
    // (or none): it stays disabled while the panel is open. One that is
    // disabled already is left as it is.
    const HWND owner = GetActiveWindow();
    const bool disabledHere = owner && IsWindowEnabled(owner);
    if (disabledHere) EnableWindow(owner, FALSE);

    window_ = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, className_, caption_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                              200, 100, owner, nullptr, ModuleInstance(), this);
    WPARAM quitCode = 0;
    bool quit = false;
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        SetForegroundWindow(window_);
        quit = RunLoop(quitCode);
    }
    // The owner is enabled before the panel goes, so that Windows hands
    // the activation back to it rather than to some other program.
    if (disabledHere && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (window_) DestroyWindow(window_);
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    // Fails harmlessly while a panel of another thread still uses the class.
    UnregisterClassA(className_, ModuleInstance());
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

// True when the quit message ended the loop.
bool _modalpanel::RunLoop(WPARAM& quitCode) {
    MSG message{};
    while (!closed_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            quitCode = message.wParam;
            return true;
        }
        if (got == -1) break;
        // Enter, Esc and Tab as in a dialog box.
        if (window_ && IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return false;
}

void _modalpanel::Close() {
    closed_ = true;
    // A close that arrives as a message sent from another thread is handled
    // inside GetMessage, which would wait on: a posted message wakes it.
    if (window_) PostMessageA(window_, WM_NULL, 0, 0);
}

SIZE _modalpanel::MeasureText(const std::string& text, HFONT font, int wrapWidth) const {
    const _windowdc dc(window_);
    const _selected selected(dc.Handle(), font ? font : textFont_);
    RECT area{0, 0, wrapWidth, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    if (wrapWidth > 0) format |= DT_WORDBREAK | DT_EDITCONTROL;
    // An empty text still takes one line.
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(dc.Handle(), measured.c_str(), static_cast<int>(measured.size()), &area, format);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

HWND _modalpanel::AddControl(const char* windowClass, const std::string& text, DWORD style, int id,
                             const RECT& bounds, HFONT font) {
    const HWND control = CreateWindowExA(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
                                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                         window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ModuleInstance(), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : textFont_), FALSE);
    return control;
}

HWND _modalpanel::AddLabel(const std::string& text, int id, const RECT& bounds, HFONT font) {
    return AddControl("STATIC", text, SS_LEFT | SS_NOPREFIX, id, bounds, font);
}

int _modalpanel::AddOkButton(int clientWidth, int top) {
    constexpr int width = 75, height = 23;
    const RECT bounds{clientWidth - kMargin - width, top, clientWidth - kMargin, top + height};
    const HWND ok = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, bounds);
    if (ok) SetFocus(ok);
    return bounds.bottom + kMargin;
}

void _modalpanel::SetClientSize(int width, int height) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
    const int outerWidth = outer.right - outer.left, outerHeight = outer.bottom - outer.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // Centred, but never with the caption off the top or left of the work area.
    int left = work.left + (work.right - work.left - outerWidth) / 2;
    int top = work.top + (work.bottom - work.top - outerHeight) / 2;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    SetWindowPos(window_, nullptr, left, top, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK _modalpanel::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* panel = static_cast<_modalpanel*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        panel->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    }
    auto* panel = reinterpret_cast<_modalpanel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!panel) return DefWindowProcA(window, message, wparam, lparam);
    return panel->HandleMessage(message, wparam, lparam);
}

LRESULT _modalpanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_PAINT: return OnPaint();
    case WM_COMMAND: return OnCommand(wparam);
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE: Close(); return 0;
    case WM_NCDESTROY: return OnNcDestroy();
    default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

LRESULT _modalpanel::OnCreate() {
    textFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA face{};
    if (GetObjectA(textFont_, sizeof face, &face)) {
        face.lfWeight = FW_BOLD;
        boldFont_.reset(CreateFontIndirectA(&face));
    }
    Build();
    return 0;
}

LRESULT _modalpanel::OnPaint() {
    const _paintdc dc(window_);
    Paint(dc.Handle());
    return 0;
}

LRESULT _modalpanel::OnCommand(WPARAM wparam) {
    // OK, Enter (the default button) and Esc (IDCANCEL from the dialog keys).
    const int id = LOWORD(wparam);
    if ((id == IDOK || id == IDCANCEL) && HIWORD(wparam) == BN_CLICKED) Close();
    return 0;
}

LRESULT _modalpanel::OnNcDestroy() {
    // Gone with its owner, or by DestroyWindow after the loop.
    const HWND window = std::exchange(window_, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    closed_ = true;
    return DefWindowProcA(window, WM_NCDESTROY, 0, 0);
}

}  // namespace corvex
