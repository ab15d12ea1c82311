#pragma once
// Drawing on a device context.
//
//   ToRGB        a stored colour ($00BBGGRR or system colour) as a COLORREF
//   _fontspec    face, height, colour and style of a text font
//   MakeFont     an owned font from a _fontspec
//   _selected    selects a GDI object into a DC and puts the previous back
//   _canvas      pen, brush and font state over a borrowed DC, and drawing
//   _paintdc     BeginPaint/EndPaint of a window
//   _charwidths  a font's character advances, for measuring without GDI

#include <windows.h>

#include <string>

#include "Color.h"
#include "Geometry.h"
#include "WinHandle.h"

namespace corvex {

class _bitmap;

COLORREF ToRGB(_color color) noexcept;
// Back from a COLORREF to the stored form.
inline _color FromRGB(COLORREF rgb) noexcept {
    return rgb & 0x00FFFFFFu;
}

enum _fontstyle : unsigned char {
    FONT_BOLD = 1,
    FONT_ITALIC = 2,
    FONT_UNDERLINE = 4,
};

struct _fontspec {
    std::string name = "MS Sans Serif";
    // Windows' convention: negative = character height, positive = cell height.
    int height = -11;
    _color color = SYSCOLOR_WINDOWTEXT;
    unsigned char style = 0;  // _fontstyle bits

    friend bool operator==(const _fontspec& a, const _fontspec& b) {
        return a.name == b.name && a.height == b.height && a.color == b.color && a.style == b.style;
    }
    friend bool operator!=(const _fontspec& a, const _fontspec& b) { return !(a == b); }
    // Same face, height and style: one font handle serves both.
    bool SameFace(const _fontspec& other) const {
        return name == other.name && height == other.height && style == other.style;
    }
};

_fonthandle MakeFont(const _fontspec& spec);

class _selected {
public:
    _selected(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~_selected() {
        if (previous_) SelectObject(dc_, previous_);
    }
    _selected(const _selected&) = delete;
    _selected& operator=(const _selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The canvas owns the pen, brush and font it makes and selects; the DC's
// own objects are put back when the canvas goes. Setters that get the value
// already in use make nothing, and the last few pens and brushes stay at
// hand: a picture drawn again in the same colours makes none after the
// first time.
class _canvas {
public:
    explicit _canvas(HDC dc) noexcept : dc_(dc) {}
    ~_canvas();
    _canvas(const _canvas&) = delete;
    _canvas& operator=(const _canvas&) = delete;

    // ---- attributes
    HDC Handle() const noexcept { return dc_; }
    void SetPen(_color color, int width = 1);
    void SetBrush(_color color);
    void SetBrushClear();  // hollow: shapes unfilled, text transparent
    void SetFont(const _fontspec& font);
    _color PenColor() const noexcept { return penColor_; }
    _color BrushColor() const noexcept { return brushColor_; }
    const _fontspec& Font() const noexcept { return font_; }

    // ---- drawing
    void MoveTo(int x, int y) noexcept;
    void LineTo(int x, int y) noexcept;       // excludes the end point
    void Rectangle(const _rect& r) noexcept;  // pen outline, brush inside
    void FillRect(const _rect& r) noexcept;   // brush only
    void FrameRect(const _rect& r) noexcept;  // one pixel in the brush colour
    // Text in the font's colour; on the brush colour, or transparent when
    // the brush is clear.
    void TextOut(int x, int y, const std::string& text) noexcept;
    _point TextExtent(const std::string& text) const noexcept;
    int TextWidth(const std::string& text) const noexcept { return TextExtent(text).x; }
    int TextHeight(const std::string& text) const noexcept { return TextExtent(text).y; }

    // Copies `source` of `from` to `dest` with a raster operation (SRCCOPY,
    // SRCPAINT for OR, SRCINVERT for XOR, or any ternary code).
    void CopyRect(const _rect& dest, const _canvas& from, const _rect& source, DWORD rop = SRCCOPY) noexcept;
    void Draw(int x, int y, const _bitmap& bitmap, DWORD rop = SRCCOPY) noexcept;
    // Draws `bitmap` leaving out every pixel of colour `transparent`.
    void DrawTransparent(int x, int y, const _bitmap& bitmap, _color transparent) noexcept;

    _color Pixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, _color color) noexcept;

    // Pens and brushes kept at most, each kind.
    static constexpr int KEPT = 6;

private:
    struct _penslot {
        _pen pen;
        _color color = 0;
        int width = 0;
        unsigned used = 0;
    };
    struct _brushslot {
        _brush brush;
        _color color = 0;
        unsigned used = 0;
    };

    HDC dc_;
    // The slot least recently selected (its object is not selected now).
    template <class Slot>
    static Slot& Oldest(Slot (&slots)[KEPT]) noexcept;

    _penslot pens_[KEPT];
    _brushslot brushes_[KEPT];
    unsigned uses_ = 0;
    HBRUSH brush_ = nullptr;  // the selected one of brushes_, none when clear
    _fonthandle fontHandle_;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    bool hasPen_ = false, hasBrush_ = false, hasFont_ = false, brushClear_ = false;
    _color penColor_ = COLOR_BLACK;
    int penWidth_ = 1;
    _color brushColor_ = COLOR_WHITE;
    _fontspec font_;
};

// The advances of the printable ASCII characters of a font, read once: a
// line of them then measures as their sum, as the system measures a line
// (no kerning), without a trip through its text layout each time.
class _charwidths {
public:
    // Reads the font selected into `dc`.
    void Load(HDC dc) noexcept;
    void Clear() noexcept { height_ = 0; }
    // The extent of a single line of `text` (an empty one is a line high);
    // false, with `size` untouched, when nothing is loaded or a character
    // lies outside the table.
    bool Measure(const std::string& text, _point& size) const noexcept;

private:
    static constexpr char FIRST = ' ', LAST = '~';
    unsigned char widths_[LAST - FIRST + 1] = {};
    int height_ = 0;  // 0: nothing loaded
};

class _paintdc {
public:
    explicit _paintdc(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~_paintdc() { EndPaint(window_, &ps_); }
    _paintdc(const _paintdc&) = delete;
    _paintdc& operator=(const _paintdc&) = delete;
    HDC Handle() const noexcept { return dc_; }
    _rect Area() const noexcept {
        return {ps_.rcPaint.left, ps_.rcPaint.top, ps_.rcPaint.right, ps_.rcPaint.bottom};
    }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace corvex
