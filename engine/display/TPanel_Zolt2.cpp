#include "TPanel_Zolt2.h"

#include "Handle.h"
#include "System_Zolt2.h"

namespace corvex {

_transpanel::_transpanel(_component* owner, _wincontrol* parent) : _panel(owner, parent) {
    SetCaption("");
    SetColor(COLOR_GRAY);
    SetBevelWidth(1);
    SetBevelOuter(BEVEL_RAISED);
    SetBevelInner(BEVEL_NONE);
}

LRESULT _transpanel::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCHITTEST:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN: return PassToParent(message, wparam, lparam);
        default: return _panel::WndProc(message, wparam, lparam);
    }
}

LRESULT _transpanel::PassToParent(UINT message, WPARAM wparam, LPARAM lparam) {
    const HWND parent = Parent() ? Parent()->Handle() : nullptr;
    if (!parent) return _panel::WndProc(message, wparam, lparam);
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(parent, GWLP_WNDPROC));
    return CallWindowProcA(procedure, parent, message, wparam, lparam);
}

_result SetWindowAlpha(HWND window, unsigned char alpha) { return SetWindowAlpha(window, alpha, WindowsRelease()); }

_result SetWindowAlpha(HWND window, unsigned char alpha, _winrelease release) {
    if (release < RELEASE_WIN2000) return _ERROR;
    // Looked up at run time: the function does not exist before Windows 2000.
    ModuleHandle user(LoadLibraryA("user32.dll"));
    if (!user) return _ERROR;
    using _setlayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const auto setLayered =
        reinterpret_cast<_setlayered>(reinterpret_cast<void*>(GetProcAddress(user.get(), "SetLayeredWindowAttributes")));
    if (!setLayered) return _ERROR;
    setLayered(window, 0, alpha, 2 /* LWA_ALPHA */);
    return _OK;
}

bool PointInClient(int x, int y, const _control& control) {
    const _point origin = control.ClientOrigin();
    const _rect client = control.ClientRect();
    const int left = origin.x + client.left, top = origin.y + client.top;
    const int right = left + client.Width(), bottom = top + client.Height();
    return x >= left && x <= right && y >= top && y <= bottom;
}

}  // namespace corvex
