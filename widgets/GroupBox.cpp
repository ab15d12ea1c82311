#include "GroupBox.h"

namespace corvex {

_groupbox::_groupbox(_component* owner, _wincontrol* parent, const std::string& caption)
    : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 185, 105);
    _createparams params;
    params.text = caption;
    CreateHandle(params);
}

int _groupbox::CaptionHeight() const {
    _windowdc dc(Handle());
    _canvas canvas(dc.Handle());
    canvas.SetFont(Font());
    return canvas.TextHeight("0");
}

_rect _groupbox::AlignArea() const noexcept {
    const _rect client = ClientRect();
    return {client.left + 2, client.top + CaptionHeight(), client.right - 2, client.bottom - 2};
}

void _groupbox::PaintWindow(_canvas& canvas) {
    const _rect client = ClientRect();
    canvas.SetBrush(Color());
    canvas.FillRect(client);
    canvas.SetFont(Font());
    const std::string caption = Text();
    const _point text = canvas.TextExtent(caption.empty() ? "0" : caption);
    RECT frame{client.left, client.top + text.y / 2, client.right, client.bottom};
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    // The caption sits on the frame's top line, on the box's colour.
    canvas.TextOut(client.left + 8, client.top, caption);
}

}  // namespace corvex
