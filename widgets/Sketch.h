#pragma once
// _sketch: draws a small picture pixel by pixel into a bitmap, on the
// transparent colour (fuchsia): the program's own icons and glyphs.
//
// Windows tree only.

#include "Bitmap.h"
#include "Color.h"

namespace corvex {

class _sketch final {
public:
    // Makes `bitmap` `size` by `size` pixels of the transparent colour.
    _sketch(_bitmap& bitmap, int size) : canvas_(bitmap.Canvas()) {
        bitmap.SetSize(size, size);
        Fill(0, 0, size, size, COLOR_FUCHSIA);
    }
    _sketch(const _sketch&) = delete;
    _sketch& operator=(const _sketch&) = delete;

    void Fill(int x, int y, int w, int h, _color color) {
        canvas_.SetBrush(color);
        canvas_.FillRect(_rect::Bounds(x, y, w, h));
    }
    // A filled box with a one-pixel outline.
    void Box(int x, int y, int w, int h, _color outline, _color inside) {
        Fill(x, y, w, h, outline);
        if (w > 2 && h > 2) Fill(x + 1, y + 1, w - 2, h - 2, inside);
    }
    // A line including both end points.
    void Line(int x1, int y1, int x2, int y2, _color color) {
        canvas_.SetPen(color);
        canvas_.MoveTo(x1, y1);
        canvas_.LineTo(x2, y2);
        canvas_.SetPixel(x2, y2, color);
    }
    void Dot(int x, int y, _color color) { canvas_.SetPixel(x, y, color); }

private:
    _canvas& canvas_;
};

}  // namespace corvex
