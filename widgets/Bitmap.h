#pragma once
// Pictures.
//
//   _bitmap      a 32-bit device-independent bitmap with its own canvas;
//                its pixels can be read back exactly
//   _memorydc    paints into a bitmap and copies it to a DC when it goes
//   _icon        an owned icon
//   _imagelist   a list of equally sized images with a transparent colour

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "Canvas.h"

namespace corvex {

class _bitmap {
public:
    _bitmap();
    _bitmap(int width, int height);
    ~_bitmap();
    _bitmap(const _bitmap&) = delete;
    _bitmap& operator=(const _bitmap&) = delete;

    // ---- attributes
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    bool Empty() const noexcept { return width_ <= 0 || height_ <= 0; }
    HBITMAP Handle() const noexcept { return bitmap_.get(); }
    _canvas& Canvas() noexcept { return *canvas_; }
    const _canvas& Canvas() const noexcept { return *canvas_; }

    // ---- operations
    // A new size; the picture is lost (black). 0 or less in either
    // direction leaves an empty bitmap.
    void SetSize(int width, int height);
    // Copies another bitmap's picture and size.
    void Assign(const _bitmap& other);
    // Loads a .bmp file; false (and unchanged) when it cannot be read.
    bool LoadFromFile(const std::string& path);
    // The colour of a pixel, read from the bits; black outside the bitmap.
    _color Pixel(int x, int y) const noexcept;
    // Writes a picture of `width` x `height` colours, row by row, straight
    // into the bits at the top left corner: one pass instead of a GDI call
    // per pixel. False, with nothing written, when it does not fit.
    bool PutPixels(const _color* colors, int width, int height) noexcept;
    // Moves the pixels of `area` (within the bitmap) `columns` to the left,
    // straight in the bits; the `columns` at the area's right keep what
    // they held. Nothing moves when `columns` is not less than the width.
    void ScrollLeft(const _rect& area, int columns) noexcept;

private:
    int width_ = 0;
    int height_ = 0;
    std::uint32_t* bits_ = nullptr;
    _memorydchandle dc_;
    _bitmaphandle bitmap_;
    HGDIOBJ original_ = nullptr;  // the DC's own 1x1 bitmap
    std::unique_ptr<_canvas> canvas_;
};

// Double buffering: drawing goes to Canvas(); the destructor copies the
// area to `target` in one operation. The buffer is a bitmap of its own, or
// one the caller keeps for many paints (grown to the area when smaller, so
// that a window repainted every second makes no new bitmap).
class _memorydc {
public:
    _memorydc(HDC target, const _rect& area);
    _memorydc(HDC target, const _rect& area, _bitmap& kept);
    ~_memorydc();
    _memorydc(const _memorydc&) = delete;
    _memorydc& operator=(const _memorydc&) = delete;
    _canvas& Canvas() noexcept { return buffer_->Canvas(); }

private:
    HDC target_;
    _rect area_;
    // Made only without a kept buffer: even an empty bitmap holds a memory
    // DC, which under Wine costs round trips to the wine server to make.
    std::unique_ptr<_bitmap> own_;
    _bitmap* buffer_;
};

class _icon {
public:
    _icon() noexcept = default;
    explicit _icon(HICON owned) noexcept : icon_(owned) {}
    HICON Handle() const noexcept { return icon_.get(); }
    bool Empty() const noexcept { return !icon_; }
    // An icon from a picture; pixels of `transparent` become see-through.
    static _icon FromBitmap(const _bitmap& picture, _color transparent);
    // A copy of an icon someone else owns.
    static _icon Copy(HICON icon);

private:
    _iconhandle icon_;
};

class _imagelist {
public:
    _imagelist(int width = 16, int height = 16, _color transparent = COLOR_FUCHSIA);
    HIMAGELIST Handle() const noexcept { return list_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    _color TransparentColor() const noexcept { return transparent_; }
    int Count() const noexcept;

    // Adds a picture of the list's size; returns its index, -1 on failure.
    int Add(const _bitmap& picture);
    void Clear() noexcept;
    // Copies image `index` into `out` (resized to the list's size), its
    // transparent parts in the transparent colour; false for a bad index.
    bool GetBitmap(int index, _bitmap& out) const;
    void Draw(_canvas& canvas, int x, int y, int index) const noexcept;

private:
    int width_, height_;
    _color transparent_;
    _imagelisthandle list_;
};

}  // namespace corvex
