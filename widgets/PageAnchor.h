#pragma once
// _pageanchor: keeps a control's right edge a fixed distance short of its
// parent's right edge while the parent changes size (a page control
// "anchored left, top and right": it stretches with the page). Made with
// the control as owner, it goes with the control.
//
// Windows tree only.

#include <windows.h>

#include <memory>

#include "Component.h"

namespace corvex {

class _control;
class _windowhook;

class _pageanchor final : public _component {
public:
    _pageanchor(_component* owner, _control& control, int margin);
    ~_pageanchor() override;

    // Fits the control to its parent's width now.
    void Stretch();

protected:
    void Notification(_component& destroyed) override;

private:
    bool OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    _control* control_;
    int margin_;
    std::unique_ptr<_windowhook> hook_;
};

}  // namespace corvex
