#pragma once
// _displaymodes: the display modes the driver lists, the "screen" submenu
// that offers them by colour depth, and the switch to one of them. The bar
// window owns one; its operations of the same names delegate here.
//
// Windows tree only.

#include <functional>
#include <vector>

#include "Core_Zolt2.h"

namespace corvex {

class _component;
class _menuitem;

// Asks Windows for a mode (ChangeDisplaySettings with the registry), and
// restarts Windows (ExitWindowsEx): the system's unless a test puts its own in.
using _modechanger = std::function<long(int width, int height, int bits, int rate)>;
using _restarter = std::function<bool()>;

class _displaymodes {
public:
    // Every display mode the driver lists: width, height, bits, rate.
    struct _resolution {
        int width, height, bits, rate;
    };

    _displaymodes();
    _displaymodes(const _displaymodes&) = delete;
    _displaymodes& operator=(const _displaymodes&) = delete;

    const std::vector<_resolution>& Resolutions() const noexcept { return resolutions_; }

    // Lists the modes and puts one item per mode of a known depth below
    // `screenMenu`, grouped by depth in order of discovery.
    _result RetrieveResolutions(_menuitem& screenMenu);
    // A click on a mode's item: switches to it if the driver still lists it.
    _result OnScreenResChange(_component* sender);
    // Asks Windows for the mode and tells the user what went wrong. A mode
    // that needs a restart asks the user, then restarts Windows with the
    // shutdown privilege enabled; a refused restart is told and is _ERROR.
    _result SetScreenRes(int width, int height, int bits, int rate);

    void SetModeChanger(_modechanger changer);
    void SetRestarter(_restarter restarter);

private:
    _modechanger changer_;
    _restarter restarter_;
    std::vector<_resolution> resolutions_;
    _menuitem* depthItems_[5] = {};
};

}  // namespace corvex
