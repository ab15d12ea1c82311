#pragma once
// Owning and non-owning faces of the Windows handles the window layer
// makes: one template, one traits struct per kind of handle.
//
//   _counted<Traits>     owns (through the _handle template of Handle.h)
//                        and counts: destroys its handle, move-only
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
// of Handle.h takes. Live() is the number of handles of the kind owned now.
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

// The owning handle of Handle.h, keeping its kind's live count.
template <class Traits>
class _counted {
public:
    using type = typename Traits::value_type;

    _counted() noexcept = default;
    explicit _counted(type handle) noexcept : owner_(handle) {
        if (owner_) ++Traits::Live();
    }
    ~_counted() { reset(); }
    _counted(const _counted&) = delete;
    _counted& operator=(const _counted&) = delete;
    _counted(_counted&& other) noexcept : owner_(std::move(other.owner_)) {}
    _counted& operator=(_counted&& other) noexcept {
        if (this != &other) {
            reset();
            owner_ = std::move(other.owner_);
        }
        return *this;
    }

    [[nodiscard]] type get() const noexcept { return static_cast<type>(owner_.get()); }
    explicit operator bool() const noexcept { return static_cast<bool>(owner_); }

    void reset(type handle = nullptr) noexcept {
        if (handle == get()) return;
        if (owner_) --Traits::Live();
        owner_.reset(handle);
        if (owner_) ++Traits::Live();
    }
    // Gives the handle up without destroying it.
    [[nodiscard]] type release() noexcept {
        if (owner_) --Traits::Live();
        return owner_.release();
    }

private:
    _handle<Traits> owner_;
};

// A borrowed handle of the same kinds: never destroyed, never counted.
template <class Traits>
class _handleview {
public:
    using type = typename Traits::value_type;
    constexpr _handleview() noexcept = default;
    constexpr _handleview(type handle) noexcept : handle_(handle) {}  // borrowing is implicit
    _handleview(const _counted<Traits>& owner) noexcept : handle_(owner.get()) {}
    [[nodiscard]] constexpr type get() const noexcept { return handle_; }
    explicit constexpr operator bool() const noexcept { return handle_ != nullptr; }

private:
    type handle_ = nullptr;
};

using _pen = _counted<_pentraits>;
using _brush = _counted<_brushtraits>;
using _fonthandle = _counted<_fonttraits>;
using _bitmaphandle = _counted<_bitmaptraits>;
using _region = _counted<_regiontraits>;
using _memorydchandle = _counted<_dctraits>;
using _iconhandle = _counted<_icontraits>;
using _menuhandle = _counted<_menutraits>;
using _imagelisthandle = _counted<_imagelisttraits>;

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
