#pragma once
// The panel every Sentinel band is, and two routines of the bar window.
//
//   _transpanel     a panel transparent to the mouse: hit tests and
//                   non-client clicks are answered by its parent window
//   SetWindowAlpha  translucency of a layered window
//   PointInClient   whether a screen point lies on a control's client area

#include <windows.h>

#include "Core_Zolt2.h"
#include "OsVersion.h"
#include "Panel.h"

namespace corvex {

class _transpanel : public _panel {
public:
    _transpanel(_component* owner, _wincontrol* parent);

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // The parent window's own procedure answers for the panel, so the bar
    // can turn a hit on any band into a caption hit and be dragged by it.
    LRESULT PassToParent(UINT message, WPARAM wparam, LPARAM lparam);
};

// Sets the alpha (0..255) of a window that already carries the layered
// extended style. _ERROR below Windows 2000 (codes under 5), or when
// SetLayeredWindowAttributes cannot be found in user32 at run time.
_result SetWindowAlpha(HWND window, unsigned char alpha);
// The same with the release code given.
_result SetWindowAlpha(HWND window, unsigned char alpha, _winrelease release);

// True iff the screen point (x, y) lies within the control's client area,
// edges included.
bool PointInClient(int x, int y, const _control& control);

}  // namespace corvex
