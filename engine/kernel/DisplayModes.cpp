#include "DisplayModes.h"

#include <windows.h>

#include "BarGeometry.h"
#include "Debug_Zolt2.h"
#include "Error_Zolt2.h"
#include "Handle.h"
#include "Menu.h"

namespace corvex {

namespace {

long ChangeMode(int width, int height, int bits, int rate) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmDisplayFrequency = static_cast<DWORD>(rate);
    return ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
}

// The NT family restarts only for a process that holds the shutdown
// privilege enabled; the 95/98/ME family has no tokens and needs none.
void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    const KernelHandle owned(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(owned.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

bool Restart() { return ExitWindowsEx(EWX_REBOOT, 0) != FALSE; }

}  // namespace

_displaymodes::_displaymodes() : changer_(&ChangeMode), restarter_(&Restart) {}

void _displaymodes::SetModeChanger(_modechanger changer) { changer_ = changer ? std::move(changer) : &ChangeMode; }

void _displaymodes::SetRestarter(_restarter restarter) {
    restarter_ = restarter ? std::move(restarter) : &Restart;
}

_result _displaymodes::RetrieveResolutions(_menuitem& screenMenu) {
    resolutions_.clear();
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        const _resolution found{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
        resolutions_.push_back(found);
        const char* depth = ColorDepthCaption(found.bits);
        if (!depth) continue;
        int row = 0;
        for (const int bits : {4, 8, 16, 24, 32}) {
            if (bits == found.bits) break;
            ++row;
        }
        if (!depthItems_[row]) depthItems_[row] = &screenMenu.Add(depth);
        _menuitem& item = depthItems_[row]->Add(ResolutionCaption(found.width, found.height, found.rate));
        item.SetTag(static_cast<int>(i));
        item.OnClick = [this](_menuitem& sender) { OnScreenResChange(&sender); };
    }
    return _OK;
}

_result _displaymodes::OnScreenResChange(_component* sender) {
    auto* item = dynamic_cast<_menuitem*>(sender);
    if (!item) return _ERROR;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (item->Tag() < 0 || !EnumDisplaySettingsA(nullptr, static_cast<DWORD>(item->Tag()), &mode)) return _ERROR;
    const _result result = SetScreenRes(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                        static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency));
    Log(20, "TPULSE.OnScreenResChange: %dx%d %dbits %dhz", static_cast<int>(mode.dmPelsWidth),
        static_cast<int>(mode.dmPelsHeight), static_cast<int>(mode.dmBitsPerPel),
        static_cast<int>(mode.dmDisplayFrequency));
    return result;
}

_result _displaymodes::SetScreenRes(int width, int height, int bits, int rate) {
    switch (changer_(width, height, bits, rate)) {
        case DISP_CHANGE_SUCCESSFUL:
            return _OK;
        case DISP_CHANGE_RESTART:
            if (QuestionBox("Box must be restarted", "Corvex", MB_OKCANCEL) != _OK) return _OK;
            EnableShutdownPrivilege();
            if (restarter_()) return _OK;
            ErrorBox("Cannot restart Windows: " + LastErrorText(), "Corvex");
            return _ERROR;
        case DISP_CHANGE_FAILED:
            ErrorBox("Cannot change screen resolution", "Corvex");
            return _ERROR;
        case DISP_CHANGE_BADMODE:
            ErrorBox("Graphics mode not supported", "Corvex");
            return _ERROR;
        case DISP_CHANGE_NOTUPDATED:
            ErrorBox("Cannot update Registry for Graphics options", "Corvex");
            return _ERROR;
        case DISP_CHANGE_BADFLAGS:
            ErrorBox("Corvex_Kernel: SetScreenRes(): Invalid internal parameters", "Corvex");
            return _ERROR;
        default:
            // An answer this program does not know is no success.
            return _ERROR;
    }
}

}  // namespace corvex
