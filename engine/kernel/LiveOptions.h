#pragma once
// _liveoptions: the bar's options as the user is editing them. After
// Launch this is the live copy the save at shutdown reads; the Options
// dialog keeps it up to date from its controls. Until that dialog exists
// (and in tests) the kernel fills it from its own settings at Launch.

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

}  // namespace corvex
