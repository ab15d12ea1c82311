#include "Hotkey_Win32.h"

#include "Debug_Zolt2.h"
#include "MessageWindow.h"

namespace corvex {

UINT HotKeyModifiers(_shortcut key) noexcept {
    UINT modifiers = 0;
    if (key & SHORTCUT_SHIFT) modifiers |= MOD_SHIFT;
    if (key & SHORTCUT_CTRL) modifiers |= MOD_CONTROL;
    if (key & SHORTCUT_ALT) modifiers |= MOD_ALT;
    return modifiers;
}

_hotkey::_hotkey(_component* owner) : _component(owner) {
    Log(30, "_hotkey.Create: <-");
    window_ = std::make_unique<_messagewindow>(
        [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT&) {
            KERNEL_WindowEngine(message, wparam, lparam);
            return false;  // every message goes on to the default procedure
        });
    atom_ = GlobalAddAtomA("Hotkey_Win32 atom");
    Log(30, "_hotkey.Create: ->");
}

_hotkey::~_hotkey() {
    KERNEL_ReleaseKey();
    window_.reset();
    if (atom_) GlobalDeleteAtom(atom_);
}

HWND _hotkey::WindowHandle() const noexcept { return window_ ? window_->Handle() : nullptr; }

void _hotkey::Loaded() {
    _component::Loaded();
    if (enabled_) KERNEL_SeizeKey();
}

_result _hotkey::KERNEL_SeizeKey() {
    Log(40, "_hotkey.KERNEL_SeizeKey: <- key=%d", key_);
    if (!registered_ && key_ != SHORTCUT_NONE && WindowHandle()) {
        Log(50, "_hotkey.KERNEL_SeizeKey: RegisterHotKey: <-");
        registered_ = RegisterHotKey(WindowHandle(), atom_, HotKeyModifiers(key_), ShortCutKey(key_)) != FALSE;
        Log(50, "_hotkey.KERNEL_SeizeKey: RegisterHotKey: -> (result=%d)", registered_ ? 1 : 0);
    }
    Log(40, "_hotkey.KERNEL_SeizeKey: -> key=%d  (result=%d)", key_, registered_ ? 1 : 0);
    return registered_ ? _OK : _ERROR;
}

_result _hotkey::KERNEL_ReleaseKey() {
    Log(40, "_hotkey.KERNEL_ReleaseKey: <-");
    if (registered_) {
        Log(50, "_hotkey.KERNEL_ReleaseKey: UnregisterHotKey");
        UnregisterHotKey(WindowHandle(), atom_);
        registered_ = false;
    }
    Log(40, "_hotkey.KERNEL_ReleaseKey: ->");
    return _OK;
}

void _hotkey::SetHotKey(_shortcut key) {
    if (key == key_) return;
    Log(40, "_hotkey.SetHotKey(%d)", key);
    key_ = key;
    KERNEL_ReleaseKey();
    if (enabled_) KERNEL_SeizeKey();
}

void _hotkey::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled)
        KERNEL_SeizeKey();
    else
        KERNEL_ReleaseKey();
}

bool _hotkey::KERNEL_WindowEngine(UINT message, WPARAM wparam, LPARAM lparam) {
    Log(100, "_hotkey.KERNEL_WindowEngine(%d,%d): <-", static_cast<int>(wparam), static_cast<int>(lparam));
    const bool hot = message == WM_HOTKEY && static_cast<ATOM>(wparam) == atom_;
    if (hot && OnHotKey) {
        const auto handler = OnHotKey;
        handler(*this);
    }
    Log(100, "_hotkey.KERNEL_WindowEngine(%d,%d): -> (result=%d)", static_cast<int>(wparam),
        static_cast<int>(lparam), 0);
    return hot;
}

}  // namespace corvex
