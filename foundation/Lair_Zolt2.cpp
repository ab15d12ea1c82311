#include "Lair_Zolt2.h"

#include <cstdio>

#include "Debug_Zolt2.h"
#include "Registry_Win32.h"
#include "WindowHook.h"

namespace corvex {

namespace {

const char* const kPositionKey = "Desposition";

// The highest system colour index ($80000000 + n): COLOR_MENUBAR.
constexpr unsigned kLastSystemColor = 30;

bool ValidColor(unsigned value) noexcept {
    return (value & 0xFF000000u) == 0 || (value >= 0x80000000u && value <= 0x80000000u + kLastSystemColor);
}

}  // namespace

// ===========================================================================
// _lair

_lair::_lair(_component* owner) : _component(owner), hive_(Win32Registry()) {
    Create();
}

_lair::_lair(_component* owner, _registrybackend& backend) : _component(owner), hive_(backend) {
    Create();
}

void _lair::Create() {
    Log(30, "_lair.Create: <-");
    Log(30, "_lair.Create: ->");
}

_lair::~_lair() = default;

void _lair::SetKey(const std::string& key) {
    key_ = key;
    keyOpen_ = false;
    Open();
}

bool _lair::FirstRun() {
    // Opening the application key itself finds out.
    if (!firstRunKnown_) _lairkey scope(*this, std::string());
    return firstRunKnown_ && firstRun_;
}

void _lair::SetPlace(_lairplace place) {
    if (place == place_) return;
    place_ = place;
    // Another hive: its "\Software\" is to be found (and may be usable) anew.
    rootSelected_ = false;
    unusable_ = false;
    PathChanged();
}

void _lair::SetCompany(const std::string& company) {
    if (company == company_) return;
    company_ = company;
    PathChanged();
}

void _lair::SetVer(const std::string& ver) {
    if (ver == ver_) return;
    ver_ = ver;
    PathChanged();
}

void _lair::SetApp(const std::string& app) {
    if (app == app_) return;
    app_ = app;
    PathChanged();
}

void _lair::PathChanged() {
    keyOpen_ = false;
    firstRunKnown_ = false;
}

std::string _lair::FullPath() const {
    return "\\Software\\" + company_ + "\\" + app_ + "\\" + ver_ + "\\" + key_;
}

bool _lair::Open() {
    // A disabled store fails like any other, so that a caller testing the
    // error flag never takes defaults for stored values.
    error_ = true;
    if (company_.empty() || unusable_) return false;
    if (keyOpen_) {
        error_ = false;
        return true;
    }
    if (!rootSelected_) {
        hive_.SetRootKey(place_ == LAIR_USER ? REGISTRY_CURRENT_USER : REGISTRY_LOCAL_MACHINE);
        if (!hive_.OpenKey("\\Software\\", false, REGISTRY_READ_WRITE)) {
            unusable_ = true;
            return false;
        }
        rootSelected_ = true;
    }
    if (!firstRunKnown_) {
        // Before anything below it is created in this run, whichever key
        // is opened first.
        firstRun_ = !hive_.KeyExists("\\Software\\" + company_ + "\\" + app_ + "\\" + ver_);
        firstRunKnown_ = true;
    }
    if (!hive_.OpenKey(FullPath(), true, REGISTRY_READ_WRITE)) return false;
    keyOpen_ = true;
    error_ = false;
    return true;
}

bool _lair::OpenFor(const std::string& name) {
    if (Open() && hive_.ValueExists(name)) return true;
    error_ = true;
    return false;
}

void _lair::Refuse(const std::string& name, const std::string& shown, const std::string& why) {
    error_ = true;
    Log(1, "ERROR: _lair: %s\\%s = %s %s: default used", key_.c_str(), name.c_str(), shown.c_str(), why.c_str());
}

std::string _lair::ReadString(const std::string& name, const std::string& fallback) {
    if (!OpenFor(name)) return fallback;
    try {
        return hive_.ReadString(name);
    } catch (const _registryerror&) {
        Refuse(name, "(stored)", "is not a string");
        return fallback;
    }
}

int _lair::ReadInteger(const std::string& name, int fallback) {
    if (!OpenFor(name)) return fallback;
    try {
        return hive_.ReadInteger(name);
    } catch (const _registryerror&) {
        Refuse(name, "(stored)", "is not an integer");
        return fallback;
    }
}

bool _lair::ReadBool(const std::string& name, bool fallback) {
    return ReadInteger(name, fallback ? 1 : 0, 0, 1) != 0;
}

int _lair::ReadInteger(const std::string& name, int fallback, int min, int max) {
    const int value = ReadInteger(name, fallback);
    if (error_ || (min <= value && value <= max)) return error_ ? fallback : value;
    Refuse(name, std::to_string(value), "outside " + std::to_string(min) + ".." + std::to_string(max));
    return fallback;
}

std::string _lair::ReadString(const std::string& name, const std::string& fallback, std::size_t maxLength) {
    std::string value = ReadString(name, fallback);
    if (error_ || value.size() <= maxLength) return error_ ? fallback : value;
    Refuse(name, "(" + std::to_string(value.size()) + " characters)", "longer than " + std::to_string(maxLength));
    return fallback;
}

unsigned _lair::ReadColor(const std::string& name, unsigned fallback) {
    const unsigned value = static_cast<unsigned>(ReadInteger(name, static_cast<int>(fallback)));
    if (error_ || ValidColor(value)) return error_ ? fallback : value;
    char shown[16];
    std::snprintf(shown, sizeof shown, "$%08X", value);
    Refuse(name, shown, "is no colour");
    return fallback;
}

_result _lair::WriteString(const std::string& name, const std::string& text) {
    if (!Open()) return _ERROR;
    hive_.WriteString(name, text);
    return _OK;
}

_result _lair::WriteInteger(const std::string& name, int value) {
    if (!Open()) return _ERROR;
    hive_.WriteInteger(name, value);
    return _OK;
}

_result _lair::WriteBool(const std::string& name, bool value) {
    if (!Open()) return _ERROR;
    hive_.WriteBool(name, value);
    return _OK;
}

void _lair::PushKey() {
    stack_.push_back(key_);
}

_result _lair::PopKey() {
    if (stack_.empty()) return _ERROR;
    SetKey(stack_.back());
    stack_.pop_back();
    return _OK;
}

void _lair::Loaded() {
    keyOpen_ = false;
    FirstRun();
}

// ===========================================================================
// _territory

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
    const auto read = [&](const char* name, int& remembered) {
        remembered = lair_->ReadInteger(name, remembered);
        complete = complete && !lair_->Failed();
    };
    read("X", left_);
    read("Y", top_);
    read("W", width_);
    read("H", height_);
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
