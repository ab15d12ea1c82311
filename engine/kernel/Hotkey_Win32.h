#pragma once
// _hotkey: one system-wide key combination, registered with Windows while
// the component is enabled and has a key; pressing it anywhere raises
// OnHotKey. A hidden window of its own receives the key.

#include <windows.h>

#include <functional>
#include <memory>

#include "Component.h"
#include "Core_Zolt2.h"
#include "ShortCut.h"

namespace corvex {

class _messagewindow;

class _hotkey : public _component {
public:
    explicit _hotkey(_component* owner);
    ~_hotkey() override;

    // ---- published
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    _shortcut Key() const noexcept { return key_; }
    void SetHotKey(_shortcut key);
    std::function<void(_component&)> OnHotKey;

    // Whether Windows accepted the combination.
    bool Registered() const noexcept { return registered_; }
    HWND WindowHandle() const noexcept;

    // ---- operations
    _result KERNEL_SeizeKey();
    _result KERNEL_ReleaseKey();

protected:
    void Loaded() override;

private:
    bool KERNEL_WindowEngine(UINT message, WPARAM wparam, LPARAM lparam);

    bool enabled_ = true;
    _shortcut key_ = SHORTCUT_NONE;
    bool registered_ = false;
    ATOM atom_ = 0;
    std::unique_ptr<_messagewindow> window_;
};

// MOD_SHIFT, MOD_CONTROL and MOD_ALT for the modifiers of a shortcut code.
UINT HotKeyModifiers(_shortcut key) noexcept;

}  // namespace corvex
