#include "Image.h"

namespace corvex {

_image::_image(_component* owner, _wincontrol* parent) : _graphiccontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 105, 105);
}

void _image::SetPicture(const _bitmap& picture) {
    picture_.Assign(picture);
    Invalidate();
}

void _image::SetStretch(bool on) {
    if (on == stretch_) return;
    stretch_ = on;
    Invalidate();
}

_color _image::TransparentColor() const noexcept {
    if (autoTransparent_ && !picture_.Empty()) return picture_.Pixel(0, picture_.Height() - 1);
    return transparentColor_;
}

void _image::SetTransparentColor(_color color) {
    autoTransparent_ = false;
    if (color == transparentColor_) return;
    transparentColor_ = color;
    Invalidate();
}

void _image::Paint(_canvas& canvas) {
    if (picture_.Empty()) return;
    if (stretch_ && (picture_.Width() != Width() || picture_.Height() != Height())) {
        if (Transparent()) {
            _bitmap scaled(Width(), Height());
            scaled.Canvas().CopyRect(ClientRect(), picture_.Canvas(),
                                     _rect::Bounds(0, 0, picture_.Width(), picture_.Height()));
            canvas.DrawTransparent(0, 0, scaled, TransparentColor());
        } else {
            canvas.CopyRect(ClientRect(), picture_.Canvas(),
                            _rect::Bounds(0, 0, picture_.Width(), picture_.Height()));
        }
        return;
    }
    if (Transparent())
        canvas.DrawTransparent(0, 0, picture_, TransparentColor());
    else
        canvas.Draw(0, 0, picture_);
}

_paintbox::_paintbox(_component* owner, _wincontrol* parent) : _graphiccontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 105, 105);
}

}  // namespace corvex
