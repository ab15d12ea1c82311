#pragma once
// Owning and non-owning faces of the Windows handles the window layer
// makes: one template, one traits struct per kind of handle.
//
//   _handle<Traits>      owns and counts (the template of Handle.h):
//                        destroys its handle, move-only
//   _handleview<Traits>  borrows: never destroys
//   _livehandles         how many handles of each kind the process owns
//
// GetGuiResources answers 0 under Wine, so each kind keeps its own live
// count, raised when an owner takes a handle and lowered when it lets go;
// tests compare the counts before and after building and tearing down a
// window.

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "Handle.h"

namespace corvex {

// A counted kind of GDI or user handle, in the form the owning template
// of Handle.h takes (its Live() makes the template count). Live() is the number of handles of the kind owned now.
template <class Handle, class Tag>
struct _handlekind {
    using value_type = Handle;
    static value_type Invalid() noexcept { return nullptr; }
    static long& Live() noexcept {
        static long live = 0;  // per kind, for the leak checks only
        return live;
    }
};

struct _pentraits : _handlekind<HPEN, _pentraits> {
    static void Close(HPEN h) noexcept { DeleteObject(h); }
};
struct _brushtraits : _handlekind<HBRUSH, _brushtraits> {
    static void Close(HBRUSH h) noexcept { DeleteObject(h); }
};
struct _fonttraits : _handlekind<HFONT, _fonttraits> {
    static void Close(HFONT h) noexcept { DeleteObject(h); }
};
struct _bitmaptraits : _handlekind<HBITMAP, _bitmaptraits> {
    static void Close(HBITMAP h) noexcept { DeleteObject(h); }
};
struct _regiontraits : _handlekind<HRGN, _regiontraits> {
    static void Close(HRGN h) noexcept { DeleteObject(h); }
};
// Memory device contexts (CreateCompatibleDC).
struct _dctraits : _handlekind<HDC, _dctraits> {
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct _icontraits : _handlekind<HICON, _icontraits> {
    static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct _menutraits : _handlekind<HMENU, _menutraits> {
    static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
struct _imagelisttraits : _handlekind<HIMAGELIST, _imagelisttraits> {
    static void Close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};

// A borrowed handle of the same kinds: never destroyed, never counted.
template <class Traits>
class _handleview {
public:
    using type = typename Traits::value_type;
    constexpr _handleview() noexcept = default;
    constexpr _handleview(type handle) noexcept : handle_(handle) {}  // borrowing is implicit
    _handleview(const _handle<Traits>& owner) noexcept : handle_(owner.get()) {}
    [[nodiscard]] constexpr type get() const noexcept { return handle_; }
    explicit constexpr operator bool() const noexcept { return handle_ != nullptr; }

private:
    type handle_ = nullptr;
};

using _pen = _handle<_pentraits>;
using _brush = _handle<_brushtraits>;
using _fonthandle = _handle<_fonttraits>;
using _bitmaphandle = _handle<_bitmaptraits>;
using _region = _handle<_regiontraits>;
using _memorydchandle = _handle<_dctraits>;
using _iconhandle = _handle<_icontraits>;
using _menuhandle = _handle<_menutraits>;
using _imagelisthandle = _handle<_imagelisttraits>;

// The live counts of every kind, plus the windows bound to control objects.
struct _livehandles {
    long pens, brushes, fonts, bitmaps, regions, dcs, icons, menus, imagelists, windows;

    static _livehandles Now() noexcept;
    friend bool operator==(const _livehandles& a, const _livehandles& b) noexcept {
        return a.pens == b.pens && a.brushes == b.brushes && a.fonts == b.fonts && a.bitmaps == b.bitmaps &&
               a.regions == b.regions && a.dcs == b.dcs && a.icons == b.icons && a.menus == b.menus &&
               a.imagelists == b.imagelists && a.windows == b.windows;
    }
    friend bool operator!=(const _livehandles& a, const _livehandles& b) noexcept { return !(a == b); }
};

}  // namespace corvex
