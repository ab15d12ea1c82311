#pragma once
// _colordialog: the system colour dialog as a component. Execute runs it
// modally and, on OK, stores the chosen colour.

#include <windows.h>

#include <functional>

#include "Color.h"
#include "Component.h"

namespace corvex {

class _colordialog final : public _component {
public:
    explicit _colordialog(_component* owner) : _component(owner) {}

    _color Color() const noexcept { return color_; }
    void SetColor(_color color) noexcept { color_ = color; }

    // Runs the dialog over `owner`; true when the user chose OK.
    bool Execute(HWND owner);

    // Called with the dialog's window once it is up (tests answer it).
    std::function<void(HWND dialog)> OnShow;

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

    _color color_ = COLOR_BLACK;
    COLORREF custom_[16] = {};  // the user's sixteen custom colours, kept between runs
};

}  // namespace corvex
