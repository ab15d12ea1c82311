#pragma once
// Where the pieces of one Speeder row go, and the height it asks for.
//
// Portable: no Windows header.

#include "Geometry.h"
#include "SpeederOptions.h"

namespace corvex {

struct _speederlayoutinput {
    _speederoptions options = SPEEDER_INITIAL;  // without the unsupported ones
    int nbx = 0;          // extra width of the name label
    int nby = 17;         // row height without meters
    int nameOffset = 0;   // the kind's extra name width, while Named
};

struct _speederlayout {
    _rect area;        // the graph or text label, in the Sentinel's panel
    int labelLeft = 0;   // name label; it keeps its top and height
    int labelWidth = 0;
    bool meters = false;
    _rect freeLabel;   // left meter, when meters
    _rect totalLabel;  // right meter, when meters
};

// The row at (left, top); `width` is the right-hand limit the Sentinel
// gives (its panel's width less 7). `height` is remembered by the Speeder
// but does not enter the arithmetic.
_speederlayout ArrangeSpeeder(const _speederlayoutinput& in, int left, int top, int width);

// Height of the row: NBY, and 12 more for the meters.
int MeasureSpeeder(const _speederlayoutinput& in);

}  // namespace corvex
