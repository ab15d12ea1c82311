#pragma once
// What the notification-area components share: the record the shell
// takes, the one function every shell call goes through, the 16 x 16
// picture with its mask, and the mouse notifications of the hidden window.
//
//   _traystyle          what an icon shows (also the gauge's look)
//   _traynotifydata     the first, 88-byte form of the shell's record
//   _shellnotify        the shell call; tests put their own in its place
//   _traysurface        colour bitmap + opaque mask -> icon
//   _traymouse          the click events and the popup menu of an icon
//
// Windows tree only.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "WinHandle.h"

namespace corvex {

class _component;
class _popupmenu;
class _traypicture;

// _tray calls the values Style, _traygauge calls them Look; the plain
// picture is TRAY_GAUGE_ICON in one and TRAY_GAUGE_STANDARD in the other,
// so both names share one enumeration.
enum _traystyle : unsigned char {
    TRAY_GAUGE_ICON = 0,
    TRAY_GAUGE_STANDARD = 0,
    TRAY_GAUGE_NT = 1,
    TRAY_GAUGE_BEOS = 2,
};
using _tgaugelook = _traystyle;

constexpr UINT TRAY_CALLBACK_MESSAGE = WM_USER + 1;  // 1025: the shell's mouse notifications
constexpr UINT TRAY_REFRESH_MESSAGE = WM_USER + 2;   // 1026: set the hint again
constexpr UINT TRAY_NOTIFY_FLAGS = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7

// The record every shell since the first understands. The headers' own
// structure has grown later fields; a shell reads only as much as cbSize
// says, so this one is built by hand and always says 88.
struct _traynotifydata {
    DWORD cbSize = 0;
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    CHAR szTip[64] = {};
};
static_assert(sizeof(void*) != 4 || sizeof(_traynotifydata) == 88, "the first form is 88 bytes");

// Fills the fixed part of the record for `window` and copies the tip (cut
// to what the record holds).
void FillTrayRecord(_traynotifydata& data, HWND window, HICON icon, const std::string& tip) noexcept;

// NIM_ADD, NIM_MODIFY or NIM_DELETE with the record; true when the shell
// took it.
using _shellnotify = std::function<bool(DWORD message, _traynotifydata& data)>;
// Shell_NotifyIconA itself.
_shellnotify SystemShellNotify();

// The 16 x 16 colour bitmap and the black (opaque) mask an icon is made of.
class _traysurface {
public:
    _traysurface();
    _traysurface(const _traysurface&) = delete;
    _traysurface& operator=(const _traysurface&) = delete;

    _bitmap& Picture() noexcept { return picture_; }
    const _bitmap& Picture() const noexcept { return picture_; }
    HBITMAP Mask() const noexcept { return mask_.get(); }

    // Copies a drawn picture into the colour bitmap.
    void Put(const _traypicture& picture);
    // A new icon from the mask and the colour bitmap as they are.
    _iconhandle MakeIcon() const;

private:
    _bitmap picture_;
    _bitmaphandle mask_;
};

enum _traymousebutton : unsigned char {
    TRAY_BUTTON_LEFT = 0,
    TRAY_BUTTON_RIGHT = 1,
    TRAY_BUTTON_MIDDLE = 2,
};
// Shift, Alt, Ctrl bits held with a click; the icons report none.
using _trayshift = unsigned char;

using _traynotifyevent = std::function<void(_component& sender)>;
using _traymouseevent =
    std::function<void(_component& sender, _traymousebutton button, _trayshift shift, int x, int y)>;

// The events of a notification-area icon and what the shell's callback
// message with a mouse code in lParam does with them.
struct _traymouse {
    _traynotifyevent OnClick;     // left button up
    _traynotifyevent OnDblClick;  // left double click
    _traymouseevent OnRightClick; // right button up, after the popup menu
    _popupmenu* popup = nullptr;  // not owned

    // 514, 515 and 517 in `code`; any other code is ignored.
    void Notify(_component& sender, LPARAM code);

private:
    // Expires with the icon, so that a menu command that frees the icon
    // does not lead to a call through a dead object.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace corvex
