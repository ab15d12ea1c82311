#pragma once
// Owning Windows handles.
//
//   _handle<Traits>   move-only owner of one handle; closes it on reset and
//                     destruction with Traits::Close
//   KernelHandle      CreateMutex, CreateEvent, CreateThread ... (null = none)
//   FileHandle        CreateFile, CreateNamedPipe (INVALID_HANDLE_VALUE = none)
//   RegKeyHandle, GdiHandle, IconHandle, MenuHandle, ModuleHandle
//
// A borrowed handle (GetStdHandle, a handle passed in) stays a plain value.

#include <windows.h>

#include <utility>

namespace corvex {

template <class Traits>
class _handle {
public:
    using value_type = typename Traits::value_type;

    _handle() noexcept = default;
    explicit _handle(value_type handle) noexcept : handle_(handle) {}
    ~_handle() { reset(); }

    _handle(const _handle&) = delete;
    _handle& operator=(const _handle&) = delete;
    _handle(_handle&& other) noexcept : handle_(other.release()) {}
    _handle& operator=(_handle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    value_type get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership without closing.
    value_type release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    // Closes the current handle (if any) and owns `handle` instead.
    void reset(value_type handle = Traits::Invalid()) noexcept {
        const value_type old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    value_type handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using value_type = HANDLE;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { CloseHandle(h); }
};

struct FileHandleTraits {
    using value_type = HANDLE;
    static value_type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(value_type h) noexcept { CloseHandle(h); }
};

struct RegKeyHandleTraits {
    using value_type = HKEY;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { RegCloseKey(h); }
};

struct GdiHandleTraits {
    using value_type = HGDIOBJ;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { DeleteObject(h); }
};

struct IconHandleTraits {
    using value_type = HICON;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { DestroyIcon(h); }
};

struct MenuHandleTraits {
    using value_type = HMENU;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { DestroyMenu(h); }
};

struct ModuleHandleTraits {
    using value_type = HMODULE;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { FreeLibrary(h); }
};

using KernelHandle = _handle<KernelHandleTraits>;
using FileHandle = _handle<FileHandleTraits>;
using RegKeyHandle = _handle<RegKeyHandleTraits>;
using GdiHandle = _handle<GdiHandleTraits>;
using IconHandle = _handle<IconHandleTraits>;
using MenuHandle = _handle<MenuHandleTraits>;
using ModuleHandle = _handle<ModuleHandleTraits>;

}  // namespace corvex
