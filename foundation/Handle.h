#pragma once
// The one owning-handle template of the program.
//
//   _handle<Traits>   move-only owner of one handle; closes it on reset and
//                     destruction with Traits::Close. A kind whose traits
//                     have a static Live() counter is counted: the counter
//                     is the number of handles of that kind owned now
//                     (the window layer's GDI and user kinds, WinHandle.h)
//   KernelHandle      CreateMutex, CreateEvent, CreateThread ... (null = none)
//   FileHandle        CreateFile, CreateNamedPipe (INVALID_HANDLE_VALUE = none)
//   ModuleHandle      LoadLibrary
//   _windowdc         a window's device context (GetDC), released when it goes
//
// A borrowed handle (GetStdHandle, a handle passed in) stays a plain value.

#include <windows.h>

#include <type_traits>
#include <utility>

namespace corvex {

namespace handle_detail {
template <class Traits, class = void>
struct counted : std::false_type {};
template <class Traits>
struct counted<Traits, std::void_t<decltype(Traits::Live())>> : std::true_type {};
}  // namespace handle_detail

template <class Traits>
class _handle {
public:
    using value_type = typename Traits::value_type;
    using type = value_type;

    _handle() noexcept = default;
    explicit _handle(value_type handle) noexcept : handle_(handle) { Count(+1); }
    ~_handle() { reset(); }

    _handle(const _handle&) = delete;
    _handle& operator=(const _handle&) = delete;
    _handle(_handle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    _handle& operator=(_handle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }

    [[nodiscard]] value_type get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership without closing.
    [[nodiscard]] value_type release() noexcept {
        Count(-1);
        return std::exchange(handle_, Traits::Invalid());
    }

    // Closes the current handle (if any) and owns `handle` instead; owning
    // the handle it already owns changes nothing.
    void reset(value_type handle = Traits::Invalid()) noexcept {
        if (handle == handle_) return;
        Count(-1);
        const value_type old = std::exchange(handle_, handle);
        Count(+1);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    void Count(long delta) const noexcept {
        if constexpr (handle_detail::counted<Traits>::value) {
            if (handle_ != Traits::Invalid()) Traits::Live() += delta;
        }
    }

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

struct ModuleHandleTraits {
    using value_type = HMODULE;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { FreeLibrary(h); }
};

// GetDC's device context is released with the window it came from, so it
// is no kind of its own for the template: a guard of its own keeps both.
class _windowdc {
public:
    // The screen's when `window` is none.
    explicit _windowdc(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {}
    ~_windowdc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    _windowdc(const _windowdc&) = delete;
    _windowdc& operator=(const _windowdc&) = delete;
    HDC Handle() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

using KernelHandle = _handle<KernelHandleTraits>;
using FileHandle = _handle<FileHandleTraits>;
using ModuleHandle = _handle<ModuleHandleTraits>;

}  // namespace corvex
