#pragma once
// _barmenu: the bar's popup menu POP with its items and their commands,
// and the Sentinel item a right click puts at its top. The bar window owns
// one; the menu component itself stays the bar's.
//
// Windows tree only.

#include "Core_Zolt2.h"

namespace corvex {

class _menuitem;
class _popupmenu;
class _sentinel;
class TPULSE;

class _barmenu {
public:
    // Fills `pop` with the bar's items; their commands act on `bar`.
    _barmenu(TPULSE& bar, _popupmenu& pop);
    _barmenu(const _barmenu&) = delete;
    _barmenu& operator=(const _barmenu&) = delete;

    // ---- the items, in menu order (the debug ones hidden and disabled;
    // nothing in the program shows them)
    _menuitem* HideMENU = nullptr;
    _menuitem* CpuMENU = nullptr;
    _menuitem* DesignerMENU = nullptr;
    _menuitem* OptionsMENU = nullptr;
    _menuitem* FreeMemMENU = nullptr;
    _menuitem* N2 = nullptr;
    _menuitem* ScreenMENU = nullptr;
    _menuitem* N3 = nullptr;
    _menuitem* StopStartSpeederMENU = nullptr;
    _menuitem* WANDebugMENU = nullptr;
    _menuitem* AddDriveMENU = nullptr;
    _menuitem* DelDriveMENU = nullptr;
    _menuitem* IconicaMENU = nullptr;
    _menuitem* DEBUGHideDrivesSentinel1 = nullptr;
    _menuitem* DEBUGShowDrivesSentinel1 = nullptr;
    _menuitem* ToggleMetersMENU = nullptr;
    _menuitem* N1 = nullptr;
    _menuitem* HelpMENU = nullptr;
    _menuitem* AboutMENU = nullptr;
    _menuitem* ExitMENU = nullptr;

    // The item of the last right click on a Sentinel, or none.
    _menuitem* SpeederItem() const noexcept { return speederItem_; }

    // "&show" as the default item when the bar is hidden, "&hide" otherwise.
    _result UpdateHideMenu(bool hidden);
    // Puts an item captioned with the Sentinel's name and a separator at
    // the top, in place of those of an earlier click; the Sentinel fills
    // it for the point (x, y) of its client area, or it stays disabled.
    void PutSentinelItem(_sentinel& sentinel, int x, int y);

private:
    void ToggleMeters();

    TPULSE& bar_;
    _popupmenu& pop_;
    _menuitem* speederItem_ = nullptr;
};

}  // namespace corvex
