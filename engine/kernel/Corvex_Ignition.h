#pragma once
// The ignition window that reports progress while the engine starts.
//
//   TIGNITE   a small fixed-border window, always on top and centred,
//             with one progress label
//   _ignite   the non-visual component that opens, feeds and closes it
//
// The message loop does not run during start-up, so every new text is
// painted at once rather than left to a paint message.

#include <string>

#include "Core_Zolt2.h"
#include "Form.h"

namespace corvex {

class _label;

class TIGNITE final : public _form {
public:
    explicit TIGNITE(_component* owner);

    _label& IgnitionLABEL;
};

class _ignite : public _component {
public:
    explicit _ignite(_component* owner = nullptr);
    ~_ignite() override;  // closes the window

    HWND ParentWindow() const noexcept { return parent_; }
    void SetParentWindow(HWND parent) noexcept { parent_ = parent; }
    TIGNITE* Window() const noexcept { return window_; }

    // Creates the window and shows it; nothing when it is open already.
    _result Open();
    // Destroys the window.
    _result Close();
    // Puts `text` in the label and repaints it now; _ERROR without a window.
    _result SetText(const std::string& text);

private:
    HWND parent_ = nullptr;
    TIGNITE* window_ = nullptr;  // owned through the component list
};

}  // namespace corvex
