#include "TrayShell.h"

#include <shellapi.h>

#include <cstring>

#include "Application.h"
#include "Control.h"
#include "Menu.h"
#include "TrayHint.h"
#include "TrayPicture.h"

namespace corvex {

void FillTrayRecord(_traynotifydata& data, HWND window, HICON icon, const std::string& tip) noexcept {
    data.cbSize = sizeof(_traynotifydata);
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = TRAY_NOTIFY_FLAGS;
    data.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    data.hIcon = icon;
    const std::size_t length = tip.size() < TRAY_TIP_CHARS ? tip.size() : TRAY_TIP_CHARS;
    std::memcpy(data.szTip, tip.data(), length);
    data.szTip[length] = '\0';
}

_shellnotify SystemShellNotify() {
    return [](DWORD message, _traynotifydata& data) {
        // The shell reads cbSize first and no more than it says.
        return Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(&data)) != FALSE;
    };
}

// ---------------------------------------------------------------------------

_traysurface::_traysurface() : picture_(_traypicture::SIZE, _traypicture::SIZE) {
    // A monochrome bitmap of zero bits: black everywhere, so the whole
    // icon is opaque.
    static const WORD zeros[_traypicture::SIZE] = {};
    mask_.reset(CreateBitmap(_traypicture::SIZE, _traypicture::SIZE, 1, 1, zeros));
}

void _traysurface::Put(const _traypicture& picture) {
    // Straight into the bits: the icon is redrawn on most ticks.
    picture_.PutPixels(picture.Pixels().data(), _traypicture::SIZE, _traypicture::SIZE);
}

_iconhandle _traysurface::MakeIcon() const {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.xHotspot = 0;
    info.yHotspot = 0;
    info.hbmMask = mask_.get();
    info.hbmColor = picture_.Handle();
    return _iconhandle(CreateIconIndirect(&info));
}

// ---------------------------------------------------------------------------

void _traymouse::Notify(_component& sender, LPARAM code) {
    switch (code) {
    case WM_LBUTTONUP: Raise(OnClick, sender); return;
    case WM_LBUTTONDBLCLK: Raise(OnDblClick, sender); return;
    case WM_RBUTTONUP: {
        POINT cursor{};
        GetCursorPos(&cursor);
        // A menu command may free the icon that showed the menu.
        const std::weak_ptr<int> alive = life_;
        if (popup) {
            // Without the foreground the menu would not close when the
            // user clicks elsewhere.
            Application().BringToFront();
            Application().ProcessMessages();
            if (alive.expired()) return;
            if (popup) popup->Popup(cursor.x, cursor.y);
            if (alive.expired()) return;
        }
        Raise(OnRightClick, sender, TRAY_BUTTON_RIGHT, _trayshift{0}, static_cast<int>(cursor.x),
              static_cast<int>(cursor.y));
        return;
    }
    default: return;
    }
}

}  // namespace corvex
