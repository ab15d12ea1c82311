#pragma once
// The bar's options while it runs.
//
//   _liveoptions    the options as values: what the bar hands the Options
//                   dialog at Launch and what the save at shutdown writes
//   _optionsholder  where they live after Launch: the Options dialog's
//                   controls, which the kernel reaches only through this
//
// A bar without the dialog (tests, pictures) keeps a _liveoptions of its
// own instead.

#include "Core_Zolt2.h"
#include "Color.h"

namespace corvex {

struct _liveoptions {
    int transparency = 255;          // the transparency track bar's position
    _color backColor = COLOR_GRAY;   // the background colour box
    unsigned update = 1000;          // the update interval, milliseconds
    int hotkey = 0xC057;             // the hot-key field, a shortcut code
    int stick = 10;                  // the stick distance, pixels
    bool onTop = true;               // the "stay on top" box
    bool dock = false;               // the "dock" box
};

class _optionsholder {
public:
    virtual ~_optionsholder() = default;

    // Launch: the holder takes the options and the bar's tray gauges
    // without acting on the bar. Where docking is not allowed the "dock"
    // box is disabled and stays unticked.
    virtual void FillOptions(const _liveoptions& options, bool dockAllowed) = 0;
    // The options as the holder has them now.
    virtual _liveoptions Options() const = 0;
    // The "dock" box alone: the bar asks on every move.
    virtual bool DockTicked() const = 0;
};

}  // namespace corvex
