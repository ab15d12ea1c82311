#include "Territory_Zolt2.h"

#include "Debug_Zolt2.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "WindowHook.h"

namespace corvex {

namespace {

const char* const kPositionKey = "Desposition";

// Bounds beyond these are damage, not a place on any screen.
constexpr int kCoordinateLimit = 32767;

}  // namespace

_territory::_territory(_component* owner, HWND window) : _component(owner), window_(window) {
    Log(30, "_territory.Create: <-");
    hook_ = std::make_unique<_windowhook>(
        window_, [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return OnMessage(hwnd, message, wparam, lparam, result);
        });
    Log(30, "_territory.Create: ->");
}

_territory::~_territory() {
    hook_.reset();
    try {
        Save();
    } catch (const _registryerror& error) {
        Log(1, "ERROR: _territory.Destroy: %s", error.what());
    }
}

void _territory::SetLair(_lair* lair) {
    if (lair == lair_) return;
    if (lair_) lair_->RemoveFreeNotification(*this);
    lair_ = lair;
    if (lair_) lair_->FreeNotification(*this);
}

void _territory::Loaded() {
    // Last in the owner's list: destroyed first, while the store still exists.
    MoveToEnd();
    Load();
}

void _territory::Notification(_component& destroyed) {
    if (&destroyed == lair_) lair_ = nullptr;
}

void _territory::Load() {
    if (!lair_) return;
    _lairkey scope(*lair_);
    lair_->SetKey(kPositionKey);
    // Each read is checked on its own: all four must be stored, or the
    // window keeps the bounds it has.
    bool complete = true;
    const auto read = [&](const char* name, int& remembered, int min) {
        remembered = lair_->ReadInteger(name, remembered, min, kCoordinateLimit);
        complete = complete && !lair_->Failed();
    };
    read("X", left_, -kCoordinateLimit);
    read("Y", top_, -kCoordinateLimit);
    read("W", width_, 0);
    read("H", height_, 0);
    if (complete)
        SetWindowPos(window_, nullptr, left_, top_, width_, height_,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

_result _territory::Save() {
    if (!lair_ || saved_) return _OK;
    RECT bounds;
    if (!Bounds(bounds)) return _ERROR;
    _result result = _OK;
    {
        _lairkey scope(*lair_);
        lair_->SetKey(kPositionKey);
        const auto write = [&](const char* name, LONG value) {
            if (lair_->WriteInteger(name, static_cast<int>(value)) != _OK) result = _ERROR;
        };
        write("X", bounds.left);
        write("Y", bounds.top);
        write("W", bounds.right - bounds.left);
        write("H", bounds.bottom - bounds.top);
    }
    saved_ = true;
    return result;
}

bool _territory::Bounds(RECT& bounds) const {
    if (!IsWindow(window_)) return false;
    if (IsIconic(window_)) {
        // A minimised window sits far off screen; its restored place is
        // what the next run should show.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (!GetWindowPlacement(window_, &placement)) return false;
        bounds = placement.rcNormalPosition;
        return true;
    }
    if (!GetWindowRect(window_, &bounds)) return false;
    if (GetWindowLongPtrA(window_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&bounds), 2);
    return true;
}

bool _territory::OnMessage(HWND, UINT message, WPARAM, LPARAM lparam, LRESULT&) {
    switch (message) {
        case WM_GETMINMAXINFO:
            if (lparam) OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));
            break;
    }
    // Every message, this one too, goes on to the window's own procedure.
    return false;
}

void _territory::OnGetMinMaxInfo(MINMAXINFO& info) const noexcept {
    if (xmin_ != -1) info.ptMinTrackSize.x = xmin_;
    if (ymin_ != -1) info.ptMinTrackSize.y = ymin_;
    if (xmax_ != -1) info.ptMaxTrackSize.x = xmax_;
    if (ymax_ != -1) info.ptMaxTrackSize.y = ymax_;
}

}  // namespace corvex
