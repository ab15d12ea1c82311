#include "Bitmap.h"

#include <algorithm>
#include <cstring>

#include "Debug_Zolt2.h"

namespace corvex {

_bitmap::_bitmap() : dc_(CreateCompatibleDC(nullptr)), canvas_(std::make_unique<_canvas>(dc_.get())) {}

_bitmap::_bitmap(int width, int height) : _bitmap() {
    SetSize(width, height);
}

_bitmap::~_bitmap() {
    canvas_.reset();  // puts the DC's pen, brush and font back first
    if (original_) SelectObject(dc_.get(), original_);
}

void _bitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_ && (bitmap_ || width <= 0 || height <= 0)) return;
    if (original_) {
        SelectObject(dc_.get(), original_);
        original_ = nullptr;
    }
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    _bitmaphandle made(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!made) return;
    bitmap_ = std::move(made);
    bits_ = static_cast<std::uint32_t*>(bits);
    std::memset(bits_, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    width_ = width;
    height_ = height;
    original_ = SelectObject(dc_.get(), bitmap_.get());
}

void _bitmap::Assign(const _bitmap& other) {
    if (&other == this) return;
    SetSize(other.Width(), other.Height());
    if (!Empty()) BitBlt(dc_.get(), 0, 0, width_, height_, other.Canvas().Handle(), 0, 0, SRCCOPY);
}

bool _bitmap::LoadFromFile(const std::string& path) {
    _bitmaphandle loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!loaded) return false;
    BITMAP info{};
    if (!GetObjectA(loaded.get(), sizeof(info), &info)) return false;
    SetSize(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    if (Empty()) return false;
    _memorydchandle source(CreateCompatibleDC(dc_.get()));
    _selected in(source.get(), loaded.get());
    BitBlt(dc_.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
    return true;
}

_color _bitmap::Pixel(int x, int y) const noexcept {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return COLOR_BLACK;
    GdiFlush();  // drawing may still be batched
    const std::uint32_t bgra =
        bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return MakeColor((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

bool _bitmap::PutPixels(const _color* colors, int width, int height) noexcept {
    if (!bits_ || !colors || width < 0 || height < 0 || width > width_ || height > height_) return false;
    GdiFlush();  // batched drawing must not land on top afterwards
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (int x = 0; x < width; ++x) {
            // As SetPixel leaves it in a 32-bit section: 0x00RRGGBB.
            const _color rgb = ToRGB(*colors++);
            row[x] = (RedOf(rgb) << 16) | (GreenOf(rgb) << 8) | BlueOf(rgb);
        }
    }
    return true;
}

void _bitmap::ScrollLeft(const _rect& area, int columns) noexcept {
    const _rect r = Intersect(area, _rect::Bounds(0, 0, width_, height_));
    if (!bits_ || columns <= 0 || columns >= r.Width() || r.Height() <= 0) return;
    GdiFlush();
    const std::size_t moved = static_cast<std::size_t>(r.Width() - columns) * sizeof(std::uint32_t);
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + r.left;
        std::memmove(row, row + columns, moved);
    }
}

_memorydc::_memorydc(HDC target, const _rect& area)
    : target_(target), area_(area), own_(std::make_unique<_bitmap>(area.Width(), area.Height())), buffer_(own_.get()) {
    // Drawing uses the target's coordinates.
    SetViewportOrgEx(buffer_->Canvas().Handle(), -area.left, -area.top, nullptr);
}

_memorydc::_memorydc(HDC target, const _rect& area, _bitmap& kept) : target_(target), area_(area), buffer_(&kept) {
    if (kept.Width() < area.Width() || kept.Height() < area.Height())
        kept.SetSize(std::max(kept.Width(), area.Width()), std::max(kept.Height(), area.Height()));
    SetViewportOrgEx(buffer_->Canvas().Handle(), -area.left, -area.top, nullptr);
}

_memorydc::~_memorydc() {
    if (buffer_->Empty()) return;
    SetViewportOrgEx(buffer_->Canvas().Handle(), 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.Width(), area_.Height(), buffer_->Canvas().Handle(), 0, 0,
           SRCCOPY);
}

_icon _icon::FromBitmap(const _bitmap& picture, _color transparent) {
    if (picture.Empty()) return {};
    const int w = picture.Width(), h = picture.Height();
    // The mask is white where the picture is see-through; the colour part
    // must be black there for the icon to show the background.
    _bitmap colour(w, h), mask(w, h);
    colour.Assign(picture);
    mask.Canvas().SetBrush(COLOR_BLACK);
    mask.Canvas().FillRect(_rect::Bounds(0, 0, w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (picture.Pixel(x, y) == (ToRGB(transparent) & 0xFFFFFFu)) {
                mask.Canvas().SetPixel(x, y, COLOR_WHITE);
                colour.Canvas().SetPixel(x, y, COLOR_BLACK);
            }
    _bitmaphandle monochrome(CreateBitmap(w, h, 1, 1, nullptr));
    {
        _memorydchandle dc(CreateCompatibleDC(nullptr));
        _selected in(dc.get(), monochrome.get());
        BitBlt(dc.get(), 0, 0, w, h, mask.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = monochrome.get();
    info.hbmColor = colour.Handle();
    return _icon(CreateIconIndirect(&info));
}

_icon _icon::Copy(HICON icon) {
    return _icon(icon ? CopyIcon(icon) : nullptr);
}

_imagelist::_imagelist(int width, int height, _color transparent)
    : width_(width),
      height_(height),
      transparent_(transparent),
      list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 4)) {}

int _imagelist::Count() const noexcept {
    return list_ ? ImageList_GetImageCount(list_.get()) : 0;
}

int _imagelist::Add(const _bitmap& picture) {
    if (!list_) return -1;
    if (Check(picture.Width() != width_ || picture.Height() != height_,
              "_imagelist.Add(%p): picture is %dx%d, the list holds %dx%d",
              static_cast<const void*>(&picture), picture.Width(), picture.Height(), width_,
              height_) == DEBUG_ASSERT)
        return -1;
    // The list turns the transparent pixels of what it is given black, and
    // wants a bitmap that is not selected into a DC: give it a copy.
    _bitmaphandle copy(CreateCompatibleBitmap(_windowdc().Handle(), width_, height_));
    {
        _memorydchandle dc(CreateCompatibleDC(nullptr));
        _selected in(dc.get(), copy.get());
        BitBlt(dc.get(), 0, 0, width_, height_, picture.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    return ImageList_AddMasked(list_.get(), copy.get(), ToRGB(transparent_));
}

void _imagelist::Clear() noexcept {
    if (list_) ImageList_RemoveAll(list_.get());
}

bool _imagelist::GetBitmap(int index, _bitmap& out) const {
    if (Check(index < 0 || index >= Count(), "_imagelist.GetBitmap(%d): no such image (count=%d)", index,
              Count()) == DEBUG_ASSERT)
        return false;
    out.SetSize(width_, height_);
    out.Canvas().SetBrush(transparent_);
    out.Canvas().FillRect(_rect::Bounds(0, 0, width_, height_));
    ImageList_Draw(list_.get(), index, out.Canvas().Handle(), 0, 0, ILD_TRANSPARENT);
    return true;
}

void _imagelist::Draw(_canvas& canvas, int x, int y, int index) const noexcept {
    if (index >= 0 && index < Count())
        ImageList_Draw(list_.get(), index, canvas.Handle(), x, y, ILD_TRANSPARENT);
}

}  // namespace corvex
