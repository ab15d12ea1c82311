#include "Lair_Zolt2.h"

#include "Debug_Zolt2.h"
#include "Registry_Win32.h"
#include "WindowHook.h"

namespace corvex {

namespace {

const char* const kPositionKey = "Desposition";

// Restores the store's key when a nested user leaves, also by an exception.
class KeyScope {
public:
    explicit KeyScope(_lair& lair) : lair_(lair) { lair_.PushKey(); }
    ~KeyScope() { lair_.PopKey(); }
    KeyScope(const KeyScope&) = delete;
    KeyScope& operator=(const KeyScope&) = delete;

private:
    _lair& lair_;
};

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
    if (!firstRunKnown_) {
        // Opening the application key itself finds out.
        PushKey();
        SetKey(std::string());
        PopKey();
    }
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

std::string _lair::ReadString(const std::string& name, const std::string& fallback) {
    if (!OpenFor(name)) return fallback;
    try {
        return hive_.ReadString(name);
    } catch (const _registryerror&) {
        error_ = true;
        return fallback;
    }
}

int _lair::ReadInteger(const std::string& name, int fallback) {
    if (!OpenFor(name)) return fallback;
    try {
        return hive_.ReadInteger(name);
    } catch (const _registryerror&) {
        error_ = true;
        return fallback;
    }
}

bool _lair::ReadBool(const std::string& name, bool fallback) {
    return ReadInteger(name, fallback ? 1 : 0) != 0;
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
    KeyScope scope(*lair_);
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
        KeyScope scope(*lair_);
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
