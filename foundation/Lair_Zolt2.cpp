#include "Lair_Zolt2.h"

#include <cstdio>

#include "Debug_Zolt2.h"

namespace corvex {

namespace {

// The highest system colour index ($80000000 + n): COLOR_MENUBAR.
constexpr unsigned kLastSystemColor = 30;

bool ValidColor(unsigned value) noexcept {
    return (value & 0xFF000000u) == 0 || (value >= 0x80000000u && value <= 0x80000000u + kLastSystemColor);
}

}  // namespace

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

}  // namespace corvex
