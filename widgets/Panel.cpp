#include "Panel.h"

namespace corvex {

_panel::_panel(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 185, 41);
    CreateHandle({});
}

void _panel::SetBevelOuter(_bevel bevel) {
    if (bevel == outer_) return;
    outer_ = bevel;
    AlignControls();  // the room inside the bevels changed
    Invalidate();
}

void _panel::SetBevelInner(_bevel bevel) {
    if (bevel == inner_) return;
    inner_ = bevel;
    AlignControls();  // the room inside the bevels changed
    Invalidate();
}

void _panel::SetBevelWidth(int width) {
    if (width < 0) width = 0;
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    AlignControls();  // the room inside the bevels changed
    Invalidate();
}

_rect _panel::InnerRect() const noexcept {
    _rect area = ClientRect();
    const int inset = (outer_ != BEVEL_NONE ? bevelWidth_ : 0) + (inner_ != BEVEL_NONE ? bevelWidth_ : 0);
    return {area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
}

void DrawBevel(_canvas& canvas, _rect& area, _bevel bevel, int width) {
    if (bevel == BEVEL_NONE) return;
    const _color light = bevel == BEVEL_RAISED ? SYSCOLOR_BTNHIGHLIGHT : SYSCOLOR_BTNSHADOW;
    const _color dark = bevel == BEVEL_RAISED ? SYSCOLOR_BTNSHADOW : SYSCOLOR_BTNHIGHLIGHT;
    for (int ring = 0; ring < width && !area.Empty(); ++ring) {
        canvas.SetPen(light);
        canvas.MoveTo(area.left, area.bottom - 1);
        canvas.LineTo(area.left, area.top);
        canvas.LineTo(area.right - 1, area.top);
        canvas.SetPen(dark);
        canvas.LineTo(area.right - 1, area.bottom - 1);
        canvas.LineTo(area.left - 1, area.bottom - 1);
        area = {area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    }
}

void _panel::PaintWindow(_canvas& canvas) {
    _rect area = ClientRect();
    canvas.SetBrush(Color());
    canvas.FillRect(area);
    DrawBevel(canvas, area, outer_, bevelWidth_);
    DrawBevel(canvas, area, inner_, bevelWidth_);
    const std::string caption = Text();
    if (caption.empty()) return;
    canvas.SetFont(Font());
    canvas.SetBrushClear();
    const _point extent = canvas.TextExtent(caption);
    canvas.TextOut(area.left + (area.Width() - extent.x) / 2, area.top + (area.Height() - extent.y) / 2,
                   caption);
}

}  // namespace corvex
