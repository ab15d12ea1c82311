#include "Canvas.h"

#include "Bitmap.h"

namespace corvex {

COLORREF ToRGB(_color color) noexcept {
    return ColorToRGB(
        color, [](unsigned index) { return static_cast<_color>(GetSysColor(static_cast<int>(index))); });
}

_fonthandle MakeFont(const _fontspec& spec) {
    return _fonthandle(CreateFontA(spec.height, 0, 0, 0, (spec.style & FONT_BOLD) ? FW_BOLD : FW_NORMAL,
                                   (spec.style & FONT_ITALIC) ? TRUE : FALSE,
                                   (spec.style & FONT_UNDERLINE) ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, spec.name.c_str()));
}

_canvas::~_canvas() {
    // The DC's own objects go back in before ours are deleted.
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (originalBrush_) SelectObject(dc_, originalBrush_);
    if (originalFont_) SelectObject(dc_, originalFont_);
}

template <class Slot>
Slot& _canvas::Oldest(Slot (&slots)[KEPT]) noexcept {
    Slot* oldest = &slots[0];
    for (Slot& slot : slots)
        if (slot.used < oldest->used) oldest = &slot;
    return *oldest;
}

void _canvas::SetPen(_color color, int width) {
    if (hasPen_ && color == penColor_ && width == penWidth_) return;
    _penslot* slot = nullptr;
    for (_penslot& kept : pens_)
        if (kept.pen && kept.color == color && kept.width == width) slot = &kept;
    if (slot) {
        SelectObject(dc_, slot->pen.get());
    } else {
        _pen pen(CreatePen(PS_SOLID, width, ToRGB(color)));
        HGDIOBJ previous = SelectObject(dc_, pen.get());
        if (!originalPen_) originalPen_ = previous;
        // Selected last longest ago, so not selected now: safe to delete.
        slot = &Oldest(pens_);
        slot->pen = std::move(pen);
        slot->color = color;
        slot->width = width;
    }
    slot->used = ++uses_;
    penColor_ = color;
    penWidth_ = width;
    hasPen_ = true;
}

void _canvas::SetBrush(_color color) {
    if (hasBrush_ && !brushClear_ && color == brushColor_) return;
    _brushslot* slot = nullptr;
    for (_brushslot& kept : brushes_)
        if (kept.brush && kept.color == color) slot = &kept;
    if (slot) {
        SelectObject(dc_, slot->brush.get());
    } else {
        _brush brush(CreateSolidBrush(ToRGB(color)));
        HGDIOBJ previous = SelectObject(dc_, brush.get());
        if (!originalBrush_) originalBrush_ = previous;
        slot = &Oldest(brushes_);
        slot->brush = std::move(brush);
        slot->color = color;
    }
    slot->used = ++uses_;
    brush_ = slot->brush.get();
    brushColor_ = color;
    brushClear_ = false;
    hasBrush_ = true;
}

void _canvas::SetBrushClear() {
    if (hasBrush_ && brushClear_) return;
    HGDIOBJ previous = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    if (!originalBrush_) originalBrush_ = previous;
    brush_ = nullptr;
    brushClear_ = true;
    hasBrush_ = true;
}

void _canvas::SetFont(const _fontspec& font) {
    if (!hasFont_ || !font.SameFace(font_)) {
        _fonthandle handle = MakeFont(font);
        HGDIOBJ previous = SelectObject(dc_, handle.get());
        if (!originalFont_) originalFont_ = previous;
        fontHandle_ = std::move(handle);
        hasFont_ = true;
    }
    font_ = font;
}

void _canvas::MoveTo(int x, int y) noexcept {
    MoveToEx(dc_, x, y, nullptr);
}
void _canvas::LineTo(int x, int y) noexcept {
    ::LineTo(dc_, x, y);
}

void _canvas::Rectangle(const _rect& r) noexcept {
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void _canvas::FillRect(const _rect& r) noexcept {
    if (brushClear_) return;
    const RECT area{r.left, r.top, r.right, r.bottom};
    ::FillRect(dc_, &area, brush_ ? brush_ : static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void _canvas::FrameRect(const _rect& r) noexcept {
    if (brushClear_) return;
    const RECT area{r.left, r.top, r.right, r.bottom};
    ::FrameRect(dc_, &area, brush_ ? brush_ : static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void _canvas::TextOut(int x, int y, const std::string& text) noexcept {
    SetTextColor(dc_, ToRGB(hasFont_ ? font_.color : COLOR_BLACK));
    if (brushClear_) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ToRGB(brushColor_));
    }
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

_point _canvas::TextExtent(const std::string& text) const noexcept {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

void _canvas::CopyRect(const _rect& dest, const _canvas& from, const _rect& source, DWORD rop) noexcept {
    if (dest.Width() == source.Width() && dest.Height() == source.Height())
        BitBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), from.dc_, source.left, source.top, rop);
    else
        StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), from.dc_, source.left, source.top,
                   source.Width(), source.Height(), rop);
}

void _canvas::Draw(int x, int y, const _bitmap& bitmap, DWORD rop) noexcept {
    if (bitmap.Empty()) return;
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, rop);
}

void _canvas::DrawTransparent(int x, int y, const _bitmap& bitmap, _color transparent) noexcept {
    if (bitmap.Empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    // A monochrome mask: 1 where the picture has the transparent colour.
    _memorydchandle maskDc(CreateCompatibleDC(dc_));
    _bitmaphandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    _selected maskIn(maskDc.get(), mask.get());
    HDC source = bitmap.Canvas().Handle();
    const COLORREF oldBack = SetBkColor(source, ToRGB(transparent));
    BitBlt(maskDc.get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    // Keep the background where the mask is set, then paint the picture's
    // other pixels over the hole.
    _bitmap picture(w, h);
    BitBlt(picture.Canvas().Handle(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    // A monochrome source expands to the text colour for 0 bits and the
    // background colour for 1 bits.
    SetTextColor(picture.Canvas().Handle(), RGB(0, 0, 0));
    SetBkColor(picture.Canvas().Handle(), RGB(255, 255, 255));
    BitBlt(picture.Canvas().Handle(), 0, 0, w, h, maskDc.get(), 0, 0,
           0x00220326);  // DSna: black where masked
    const COLORREF keepText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF keepBack = SetBkColor(dc_, RGB(255, 255, 255));
    BitBlt(dc_, x, y, w, h, maskDc.get(), 0, 0, SRCAND);  // background kept only where masked
    SetTextColor(dc_, keepText);
    SetBkColor(dc_, keepBack);
    BitBlt(dc_, x, y, w, h, picture.Canvas().Handle(), 0, 0, SRCPAINT);
}

_color _canvas::Pixel(int x, int y) const noexcept {
    return FromRGB(GetPixel(dc_, x, y));
}

void _canvas::SetPixel(int x, int y, _color color) noexcept {
    ::SetPixelV(dc_, x, y, ToRGB(color));
}

void _charwidths::Load(HDC dc) noexcept {
    height_ = 0;
    INT widths[LAST - FIRST + 1];
    TEXTMETRICA metrics{};
    if (!GetCharWidth32A(dc, FIRST, LAST, widths) || !GetTextMetricsA(dc, &metrics) || metrics.tmHeight <= 0) return;
    for (int i = 0; i <= LAST - FIRST; ++i) {
        if (widths[i] < 0 || widths[i] > 255) return;
        widths_[i] = static_cast<unsigned char>(widths[i]);
    }
    height_ = metrics.tmHeight;
}

bool _charwidths::Measure(const std::string& text, _point& size) const noexcept {
    if (height_ == 0) return false;
    int width = 0;
    for (const char c : text) {
        if (c < FIRST || c > LAST) return false;
        width += widths_[c - FIRST];
    }
    size = {width, height_};
    return true;
}

}  // namespace corvex
