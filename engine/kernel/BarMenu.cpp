#include "BarMenu.h"

#include <functional>
#include <utility>

#include "CPU_Wizard_Launcher_Zolt2.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "CpuSentinel.h"
#include "DriveSentinel.h"
#include "Menu.h"
#include "ShortCut.h"

namespace corvex {

_barmenu::_barmenu(TPULSE& bar, _popupmenu& pop) : bar_(bar), pop_(pop) {
    _menuitem& root = pop_.Items();
    const auto item = [&root](const char* caption, _shortcut shortcut, std::function<void()> click) {
        _menuitem& made = root.Add(caption, shortcut);
        if (click) made.OnClick = [click](_menuitem&) { click(); };
        return &made;
    };
    const auto debug = [&](const char* caption, _shortcut shortcut, std::function<void()> click) {
        _menuitem* made = item(caption, shortcut, std::move(click));
        made->SetVisible(false);
        made->SetEnabled(false);
        return made;
    };
    constexpr _shortcut ctrl = SHORTCUT_CTRL, shiftCtrl = SHORTCUT_SHIFT | SHORTCUT_CTRL;
    HideMENU = item("&hide", ctrl | 'H', [this] { bar_.HideMENUClick(); });
    CpuMENU = item("&cpu...", ctrl | 'C', [] { LaunchCpuInfo(); });
    DesignerMENU = item("&designer...", ctrl | 'D', [this] {
        if (bar_.OnDesignerRequest) bar_.OnDesignerRequest();
    });
    OptionsMENU = item("&options...", ctrl | 'O', [this] {
        if (bar_.OnOptionsRequest) bar_.OnOptionsRequest();
    });
    FreeMemMENU = item("&free mem...", SHORTCUT_SHIFT | SHORTCUT_ALT | VK_BACK, [this] { bar_.FreeMemMENUClick(); });
    N2 = item("-", SHORTCUT_NONE, nullptr);
    ScreenMENU = item("&screen", SHORTCUT_NONE, nullptr);
    N3 = item("-", SHORTCUT_NONE, nullptr);
    StopStartSpeederMENU = debug("debug: stop/start _speeder", ctrl | 'Z', [this] {
        _cpusentinel* cpu = bar_.CpuSentinel();
        _speeder* first = cpu ? cpu->Speeders(0) : nullptr;
        if (!first) return;
        if (first->Stopped())
            first->Start();
        else
            first->Stop();
    });
    WANDebugMENU = debug("debug: set desktop area", shiftCtrl | VK_F7, [] {});
    AddDriveMENU = debug("[DEBUG] Add Drive", shiftCtrl | VK_F4, [this] {
        if (_drivessentinel* drives = bar_.DriveSentinel()) drives->AddDebugDrive();
    });
    DelDriveMENU = debug("[DEBUG] Delete Drive", shiftCtrl | VK_F5, [this] {
        _drivessentinel* drives = bar_.DriveSentinel();
        if (!drives || drives->KillSpeederByIndex(0) != _OK) return;
        drives->ArrangeSpeeders(drives->Left(), drives->Top(), -1, -1);
        bar_.KERNEL_UpdateSize();
    });
    IconicaMENU = debug("[DEBUG] Trigger Icon", shiftCtrl | VK_F10, [this] {
        _drivessentinel* drives = bar_.DriveSentinel();
        if (_speeder* fourth = drives ? drives->Speeders(3) : nullptr) fourth->UpdateIcon();
    });
    DEBUGHideDrivesSentinel1 = debug("[DEBUG] Hide Drives Sentinel", shiftCtrl | VK_F9, [this] {
        if (_drivessentinel* drives = bar_.DriveSentinel()) drives->Hide();
    });
    DEBUGShowDrivesSentinel1 = debug("[DEBUG] Show Drives Sentinel", shiftCtrl | VK_F8, [this] {
        if (_drivessentinel* drives = bar_.DriveSentinel()) drives->Show();
    });
    ToggleMetersMENU = debug("[DEBUG] Toggle Meters", shiftCtrl | VK_F3, [this] { ToggleMeters(); });
    N1 = item("-", SHORTCUT_NONE, nullptr);
    N1->SetVisible(false);
    HelpMENU = item("hel&p", VK_F1, [this] { bar_.HelpMENUClick(); });
    AboutMENU = item("&about...", ctrl | VK_F1, [this] { bar_.AboutMENUClick(); });
    ExitMENU = item("e&xit", ctrl | 'W', [this] { bar_.ExitMENUClick(); });
}

void _barmenu::ToggleMeters() {
    for (std::size_t s = 0; s < bar_.SentinelCount(); ++s) {
        _sentinel& sentinel = *bar_.Sentinels(s);
        for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) sentinel.Speeders(i)->ToggleOption(SPEEDER_METERS);
        sentinel.ArrangeSpeeders(sentinel.Left(), sentinel.Top(), -1, -1);
    }
    bar_.KERNEL_UpdateSize();
}

_result _barmenu::UpdateHideMenu(bool hidden) {
    HideMENU->SetCaption(hidden ? "&show" : "&hide");
    HideMENU->SetDefault(hidden);
    HideMENU->SetShortCut(SHORTCUT_CTRL | 'H');
    return _OK;
}

void _barmenu::PutSentinelItem(_sentinel& sentinel, int x, int y) {
    _menuitem& root = pop_.Items();
    if (speederItem_) {
        // The item of the previous click, and the separator below it.
        root.Remove(*speederItem_);
        speederItem_ = nullptr;
        if (root.Count() && root.Items(0)->IsSeparator()) root.Remove(*root.Items(0));
    }
    _menuitem& item = root.Insert(0, sentinel.Caption());
    speederItem_ = &item;
    if (sentinel.BuildSpeederMenu(item, x, y) != _OK) {
        item.Clear();
        item.SetEnabled(false);
    }
    root.Insert(1, "-");
}

}  // namespace corvex
