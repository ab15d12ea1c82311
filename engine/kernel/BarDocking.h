#pragma once
// _bardocking: where the bar stands. It snaps the bar to the screen edges,
// reserves the bar's strip of the desktop work area while it is docked and
// gives the area back, and keeps the bar's corner per screen resolution.
// The bar window owns one; its operations of the same names delegate here.
//
// Windows tree only.

#include <windows.h>

#include "BarGeometry.h"
#include "Core_Zolt2.h"
#include "Geometry.h"

namespace corvex {

class _form;
class _lair;
class _metrics;

class _bardocking {
public:
    // `bar` is the bar window, `metrics` the display information it owns.
    _bardocking(_form& bar, _metrics& metrics) noexcept : bar_(bar), metrics_(metrics) {}
    _bardocking(const _bardocking&) = delete;
    _bardocking& operator=(const _bardocking&) = delete;

    // ---- the work area (only where the command line allows docking)
    // Reserves or frees the bar's strip: `dock` is true on a move, a change
    // of size and a show or hide, and the state of the Options dialog's
    // "dock" box otherwise; `boxTicked` is the box. The strip is cut out of
    // the work area as it is without the bar, so the task bar's reservation
    // stays. _ERROR when Windows refuses the change.
    _result UpdateDesktopArea(bool dock, bool boxTicked);
    // Gives back what the bar reserved, if the work area is still the one
    // it set; a work area another program set since is left alone.
    void GiveWorkAreaBack();
    // The floating bar already gave its strip back.
    bool FullScreenSet() const noexcept { return fullScreenSet_; }
    // Whether the bar's strip is reserved now.
    bool Reserved() const noexcept { return reserved_; }

    // ---- moves
    // Pulls a proposed position onto the screen edges within `stick` pixels.
    void Snap(WINDOWPOS& position, int stick) const;
    // The bar's client position after its last move.
    _point LastPos() const noexcept { return lastPos_; }
    void Moved(_point position) noexcept { lastPos_ = position; }

    // ---- positions per resolution
    const _screenpositions& Positions() const noexcept { return positions_; }
    _result AddScreenPosition(int x, int y, int xRes, int yRes);
    // Moves the bar to the corner recorded for the present resolution;
    // _ERROR when there is none.
    _result UpdateScreenPosition();
    // Keeps a bar without a record on the screen that changed size.
    _result UpdateBeyondScreen();
    // The display mode changed: records where the bar stood under the
    // old resolution and moves it for the new one.
    void ScreenChanged();
    // A bar that meets the work area of no monitor (a corner stored far
    // off, a monitor no longer there) is moved onto the nearest one; a bar
    // partly on a screen stays.
    void RescueOffScreen();
    // The "Screen" keys below the store's current key.
    void LoadPositions(_lair& store);
    // Records the present corner for the present resolution and writes every
    // position. A write the registry refuses raises _registryerror.
    void SavePositions(_lair& store);

private:
    // The system's work area now.
    _workarea CurrentWorkArea() const;

    _form& bar_;
    _metrics& metrics_;
    bool reserved_ = false;
    _workarea base_;          // the work area without the bar's strip
    _workarea reservedArea_;  // the work area the bar set
    bool fullScreenSet_ = false;
    _point lastPos_;
    _screenpositions positions_;
};

}  // namespace corvex
