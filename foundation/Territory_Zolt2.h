#pragma once
// _territory: keeps its owner window's bounds under "Desposition" in a
// settings store (_lair), and its minimum and maximum tracking size.
//
// Windows tree only.

#include <windows.h>

#include <memory>

#include "Component.h"
#include "Core_Zolt2.h"

namespace corvex {

class _lair;
class _windowhook;

class _territory : public _component {
public:
    // `window` is the owner's window, whose bounds are kept and whose
    // procedure is hooked for as long as this component lives.
    _territory(_component* owner, HWND window);
    ~_territory() override;

    // ---- properties (-1: no limit)
    int XMin() const noexcept { return xmin_; }
    void SetXMin(int value) noexcept { xmin_ = value; }
    int YMin() const noexcept { return ymin_; }
    void SetYMin(int value) noexcept { ymin_ = value; }
    int XMax() const noexcept { return xmax_; }
    void SetXMax(int value) noexcept { xmax_ = value; }
    int YMax() const noexcept { return ymax_; }
    void SetYMax(int value) noexcept { ymax_ = value; }
    _lair* Lair() const noexcept { return lair_; }
    void SetLair(_lair* lair);
    HWND Window() const noexcept { return window_; }

    // ---- operations
    // Restores the window's bounds when all four are stored.
    void Load();
    // Stores the window's bounds, once per run. A write the registry
    // refuses raises _registryerror.
    _result Save();

protected:
    void Loaded() override;
    void Notification(_component& destroyed) override;

private:
    bool OnMessage(HWND, UINT, WPARAM, LPARAM, LRESULT& result);
    void OnGetMinMaxInfo(MINMAXINFO& info) const noexcept;
    // The window's left, top, width and height as its parent places it.
    bool Bounds(RECT& bounds) const;

    HWND window_;
    std::unique_ptr<_windowhook> hook_;
    int xmin_ = 100;
    int ymin_ = 100;
    int xmax_ = -1;
    int ymax_ = -1;
    _lair* lair_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool saved_ = false;
};

}  // namespace corvex
