#include "SpeederLayout.h"

namespace corvex {

_speederlayout ArrangeSpeeder(const _speederlayoutinput& in, int left, int top, int width) {
    int areaWidth = width - 45;
    int areaHeight = in.nby - 2;
    int areaLeft = 45;
    const int areaTop = 2;
    int extra = in.nameOffset;

    if (!(in.options & SPEEDER_NAMED)) {
        areaLeft = 18;
        areaWidth = width - 18;
        extra = 0;
    }
    int labelLeft;
    if (in.options & SPEEDER_ICONED) {
        labelLeft = left + 18;
    } else {
        areaLeft -= 16;
        areaWidth += 16;
        labelLeft = left + 2;
    }

    _speederlayout out;
    if (in.options & SPEEDER_METERS) {
        out.meters = true;
        out.freeLabel = _rect::Bounds(left, top + areaHeight + 2, 50, 10);
        const int totalLeft = out.freeLabel.left + 50 + 2;
        out.totalLabel = _rect::Bounds(totalLeft, out.freeLabel.top,
                                       width - out.freeLabel.left - 50 - 4, 10);
    }

    areaWidth -= in.nbx + extra;
    areaLeft += in.nbx + extra;
    if (areaWidth < 0) areaWidth = 0;
    if (areaHeight < 0) areaHeight = 0;

    out.labelLeft = labelLeft;
    // Without a name the label is hidden and the sum can go negative.
    out.labelWidth = areaLeft - labelLeft < 0 ? 0 : areaLeft - labelLeft;
    out.area = _rect::Bounds(left + areaLeft, top + areaTop, areaWidth, areaHeight);
    return out;
}

int MeasureSpeeder(const _speederlayoutinput& in) {
    return in.nby + ((in.options & SPEEDER_METERS) ? 12 : 0);
}

}  // namespace corvex
