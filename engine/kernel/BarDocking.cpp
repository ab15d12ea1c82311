#include "BarDocking.h"

#include <vector>

#include "BarSettings.h"
#include "Debug_Zolt2.h"
#include "Form.h"
#include "Metrics_Win32.h"
#include "StartupOptions.h"

namespace corvex {

namespace {

using MonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

struct _monitorwalk {
    MonitorInfoFunction info;
    std::vector<_workarea> areas;
};

BOOL CALLBACK OneMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto& walk = *reinterpret_cast<_monitorwalk*>(param);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (walk.info(monitor, &mi))
        walk.areas.push_back(_workarea{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom});
    return TRUE;
}

template <class Function>
Function UserFunction(const char* name) {
    const HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

// The work areas of the monitors: through the monitor functions where the
// system has them (98 and 2000 onwards, looked up at run time), else the
// one screen's work area.
std::vector<_workarea> MonitorWorkAreas() {
    using EnumMonitorsFunction = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    _monitorwalk walk{UserFunction<MonitorInfoFunction>("GetMonitorInfoA"), {}};
    const auto enumerate = UserFunction<EnumMonitorsFunction>("EnumDisplayMonitors");
    if (enumerate && walk.info) enumerate(nullptr, nullptr, &OneMonitor, reinterpret_cast<LPARAM>(&walk));
    if (walk.areas.empty()) {
        RECT work{};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
            work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        walk.areas.push_back(_workarea{work.left, work.top, work.right, work.bottom});
    }
    return walk.areas;
}

}  // namespace

_workarea _bardocking::CurrentWorkArea() const {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        return _workarea{0, 0, metrics_.ScreenX(), metrics_.ScreenY()};
    return _workarea{work.left, work.top, work.right, work.bottom};
}

void _bardocking::GiveWorkAreaBack() {
    if (!reserved_) return;
    reserved_ = false;
    // Another program (or the shell, after the task bar moved) set the area
    // since: it is theirs now.
    if (!(CurrentWorkArea() == reservedArea_)) return;
    metrics_.SetWorkArea(base_);
    if (metrics_.Error() != _OK) Log(1, "TPULSE.UpdateDesktopArea: ERROR: %s", metrics_.ErrorStr().c_str());
}

_result _bardocking::UpdateDesktopArea(bool dock, bool boxTicked) {
    if (!StartupOptions().DockingAllowed()) return _OK;
    if (!boxTicked) {
        // Unticking the box gives the desktop back; a mere move does not.
        if (!dock) {
            GiveWorkAreaBack();
            fullScreenSet_ = false;
        }
        return _OK;
    }
    // A hidden bar (or one started hidden, 0 pixels wide) takes no room.
    const bool shown = bar_.Visible() && bar_.Width() > 0;
    const _barplace place = shown ? PlaceOfBar(bar_.Left(), bar_.Width(), metrics_.ScreenX()) : BAR_FLOATING;
    if (place == BAR_FLOATING) {
        // Given back once when the bar leaves the edge, then left alone.
        if (!fullScreenSet_) {
            GiveWorkAreaBack();
            fullScreenSet_ = true;
        }
        return _OK;
    }
    fullScreenSet_ = false;
    if (!reserved_ || !(CurrentWorkArea() == reservedArea_)) base_ = CurrentWorkArea();
    const _workarea area = CutStrip(base_, place, bar_.Left(), bar_.Width());
    if (reserved_ && area == reservedArea_) return _OK;  // a move along the edge
    metrics_.SetWorkArea(area);
    if (metrics_.Error() != _OK) {
        Log(1, "TPULSE.UpdateDesktopArea(%d): ERROR: %s", dock, metrics_.ErrorStr().c_str());
        return metrics_.Error();
    }
    Log(10, "TPULSE.UpdateDesktopArea(%d): (%d,%d-%d,%d)", dock, area.left, area.top, area.right, area.bottom);
    reserved_ = true;
    reservedArea_ = area;
    return _OK;
}

void _bardocking::Snap(WINDOWPOS& position, int stick) const {
    if (position.flags & SWP_NOMOVE) return;
    const int cx = (position.flags & SWP_NOSIZE) ? bar_.Width() : position.cx;
    const int cy = (position.flags & SWP_NOSIZE) ? bar_.Height() : position.cy;
    position.x = SnapToEdge(position.x, cx, metrics_.ScreenX(), stick);
    position.y = SnapToEdge(position.y, cy, metrics_.ScreenY(), stick);
    Log(110, "TPULSE.WMWindowPosChanging: (%d,%d)", position.x, position.y);
}

_result _bardocking::AddScreenPosition(int x, int y, int xRes, int yRes) {
    bool updated = false;
    const int index = positions_.Add(x, y, xRes, yRes, &updated);
    Log(20, updated ? "TPULSE.AddScreenPosition(%d,%d,%d,%d): updated index %d"
                    : "TPULSE.AddScreenPosition(%d,%d,%d,%d): added index %d",
        x, y, xRes, yRes, index);
    return _OK;
}

_result _bardocking::UpdateScreenPosition() {
    const int index = positions_.Find(metrics_.ScreenX(), metrics_.ScreenY());
    if (index < 0) {
        Log(20, "TPULSE.UpdateScreenPosition: not updated");
        return _ERROR;
    }
    Log(20, "TPULSE.UpdateScreenPosition: updated from index %d", index);
    // Back where the user left it under this resolution (kept on the
    // screen should the record be odd).
    const int x = metrics_.ScreenX(), y = metrics_.ScreenY();
    bar_.SetBounds(KeepOnScreen(positions_[index].x, bar_.Width(), x, x),
                   KeepOnScreen(positions_[index].y, bar_.Height(), y, y), bar_.Width(), bar_.Height());
    return _OK;
}

_result _bardocking::UpdateBeyondScreen() {
    // No position recorded for this resolution: a bar docked at the right
    // edge stays docked there, any other is brought (back) onto the screen.
    bar_.SetBounds(KeepOnScreen(bar_.Left(), bar_.Width(), metrics_.OldScreenX(), metrics_.ScreenX()),
                   KeepOnScreen(bar_.Top(), bar_.Height(), metrics_.OldScreenY(), metrics_.ScreenY()), bar_.Width(),
                   bar_.Height());
    Log(20, "TPULSE.UpdateBeyondScreen: new (%d,%d)", bar_.Left(), bar_.Top());
    return _OK;
}

void _bardocking::ScreenChanged() {
    Log(10, "TPULSE._metrics1ScreenChange: <-");
    // Where the bar stood under the resolution just left.
    AddScreenPosition(lastPos_.x, lastPos_.y, metrics_.OldScreenX(), metrics_.OldScreenY());
    // A strip still reserved is carried over to the new screen; one the
    // system took back with the old mode is no longer the bar's.
    if (reserved_) {
        if (CurrentWorkArea() == reservedArea_) {
            base_ = FollowScreen(base_, metrics_.OldScreenX(), metrics_.OldScreenY(), metrics_.ScreenX(),
                                 metrics_.ScreenY());
            // Still the bar's own: the next evaluation replaces it.
        } else {
            reserved_ = false;
        }
    }
    if (UpdateScreenPosition() != _OK) UpdateBeyondScreen();
    RescueOffScreen();
    Log(10, "TPULSE._metrics1ScreenChange: ->");
}

void _bardocking::RescueOffScreen() {
    const _corner corner = RescuedCorner(bar_.Left(), bar_.Top(), bar_.Width(), bar_.Height(), MonitorWorkAreas());
    if (corner.x == bar_.Left() && corner.y == bar_.Top()) return;
    Log(1, "TPULSE: the bar at (%d,%d) lies on no screen: moved to (%d,%d)", bar_.Left(), bar_.Top(), corner.x,
        corner.y);
    bar_.SetBounds(corner.x, corner.y, bar_.Width(), bar_.Height());
}

void _bardocking::LoadPositions(_lair& store) {
    LoadScreenPositions(store, [this](int x, int y, int xRes, int yRes) { AddScreenPosition(x, y, xRes, yRes); });
}

void _bardocking::SavePositions(_lair& store) {
    // The present position, recorded for the present resolution.
    AddScreenPosition(bar_.Left(), bar_.Top(), metrics_.ScreenX(), metrics_.ScreenY());
    SaveScreenPositions(store, positions_);
}

}  // namespace corvex
