// TPULSE's commands: showing and hiding the bar, its popup menu's
// commands and short-cuts, the right click on a Sentinel, help, about and
// exit.

#include "Application.h"
#include "About_Launcher_Zolt2.h"
#include "BarMenu.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Debug_Zolt2.h"
#include "FreeMemCommand.h"
#include "Help_Zolt2.h"
#include "Menu.h"
#include "TPanel_Zolt2.h"

namespace corvex {

_result TPULSE::HideMENUClick() {
    if (startedHidden_) {
        startedHidden_ = false;
        SetWidth(hiddenWidth_ < 10 ? 150 : hiddenWidth_);
        KERNEL_UpdateSize();
        settings_.visible = true;
        UpdateHideMenu(false);
        Show();
    } else if (Visible()) {
        UpdateHideMenu(true);
        Hide();
    } else {
        UpdateHideMenu(false);
        Show();
    }
    // A hidden bar takes no room on the desktop; shown again, it does.
    UpdateDesktopArea(true);
    return _OK;
}

_result TPULSE::UpdateHideMenu(bool hidden) { return menu_->UpdateHideMenu(hidden); }

bool TPULSE::ShortCut(_shortcut code) {
    // Only while the bar is the active window; otherwise the key is not ours.
    if (!Handle() || GetActiveWindow() != Handle()) return false;
    return POP.DispatchShortCut(code);
}

_result TPULSE::WMNCRButtonDown(int x, int y, bool show) {
    Log(50, "TPULSE.WMNCRButtonDown: (%d,%d)", x, y);
    for (const Entry& entry : sentinels_) {
        _sentinel& sentinel = *entry.sentinel;
        if (!sentinel.Visible() || !PointInClient(x, y, sentinel)) continue;
        POINT point{x, y};
        ScreenToClient(sentinel.Handle(), &point);
        Log(50, "TPULSE.WMNCRButtonDown: Sentinel hit: \"%s (%d,%d)\"", sentinel.Caption().c_str(),
            static_cast<int>(point.x), static_cast<int>(point.y));
        menu_->PutSentinelItem(sentinel, point.x, point.y);
        break;
    }
    if (show) POP.Popup(x, y);
    return _OK;
}

_result TPULSE::FreeMemMENUClick() { return freeMem_->Run(); }

_result TPULSE::HelpMENUClick() {
    const std::string file = helpFolder_ + "corvex_main.htm";
    Log(40, "TPULSE.HelpMENUClick: requesting help %s", file.c_str());
    return OpenHelp(file, {});
}

_result TPULSE::OpenHelp(const std::string& file, const std::string& anchor) {
    // A help component per request: it looks the browser up afresh, so a
    // browser installed while the bar runs is found.
    _help& help = Make<_help>();
    help.SetHelpFile(file);
    const _result result = help.OpenPage(anchor);
    Destroy(&help);
    return result;
}

_result TPULSE::AboutMENUClick() { return _about1.Execute(); }

_result TPULSE::ExitMENUClick() {
    Close();
    return _OK;
}

_result TPULSE::_hotkey1HotKey() {
    if (!Visible()) {
        Application().BringToFront();
        if (Handle()) SetForegroundWindow(Handle());
    }
    return HideMENUClick();
}

}  // namespace corvex
