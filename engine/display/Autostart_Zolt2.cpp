#include "Autostart_Zolt2.h"

#include <windows.h>

#include "Button.h"
#include "Registry_Zolt2.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

// One key name for all instances, as the registration has always worked.
std::string& SharedKeyName() {
    static std::string name = RunKeyNameOf(rtRun);
    return name;
}

}  // namespace

const char* RunKeyNameOf(TRunType type) noexcept {
    switch (type) {
        case rtRunOnce: return "RunOnce";
        case rtRunOnceEx: return "RunOnceEx";
        case rtRunServices: return "RunServices";
        case rtRunServicesOnce: return "RunServicesOnce";
        default: return "Run";
    }
}

_autostart::_autostart(_component* owner) : _component(owner), exe_(ProgramPath()) {}

_autostart::~_autostart() {
    if (checkBox_) checkBox_->RemoveFreeNotification(*this);
    if (autoRegister_) Register();
}

void _autostart::SetAppItemName(const std::string& name) {
    if (name != appItemName_) appItemName_ = name;
}

void _autostart::SetAutoRegister(bool on) {
    if (!checkBox_) autoRegister_ = on;
}

void _autostart::SetCheckBox(_checkbox* box) {
    if (box == checkBox_) return;
    if (checkBox_) {
        checkBox_->OnClick = nullptr;
        checkBox_->RemoveFreeNotification(*this);
    }
    checkBox_ = box;
    if (checkBox_) {
        checkBox_->FreeNotification(*this);
        checkBox_->OnClick = [this] { BoxClicked(); };
    }
    autoRegister_ = false;
}

void _autostart::SetRunType(TRunType type) {
    if (type == runType_) return;
    runType_ = type;
    SharedKeyName() = RunKeyNameOf(type);
}

void _autostart::SetExe(const std::string& fileName) { exe_ = ProgramFolder() + fileName; }

const std::string& _autostart::RunKeyName() noexcept { return SharedKeyName(); }

std::string _autostart::RunKeyPath() { return "Software\\Microsoft\\Windows\\CurrentVersion\\" + SharedKeyName(); }

void _autostart::Loaded() {
    SharedKeyName() = RunKeyNameOf(runType_);
    if (!checkBox_) return;
    checkBox_->SetChecked(Registered());
}

void _autostart::Notification(_component& destroyed) {
    if (&destroyed == checkBox_) checkBox_ = nullptr;
}

bool _autostart::Register() {
    const bool changed = SetEntry(true);
    if (changed && checkBox_) checkBox_->SetChecked(true);
    return changed;
}

bool _autostart::Unregister() {
    const bool changed = SetEntry(false);
    if (changed && checkBox_) checkBox_->SetChecked(false);
    return changed;
}

bool _autostart::Registered() const {
    if (appItemName_.empty()) return false;
    try {
        _registry registry;
        registry.SetRootKey(root_);
        return registry.OpenKey(RunKeyPath(), true, REGISTRY_ALL_ACCESS) && registry.ValueExists(appItemName_);
    } catch (const _registryerror&) {
        return false;
    }
}

bool _autostart::SetEntry(bool on) {
    if (appItemName_.empty()) return false;
    try {
        _registry registry;
        registry.SetRootKey(root_);
        if (!registry.OpenKey(RunKeyPath(), true, REGISTRY_ALL_ACCESS)) return false;
        const bool exists = registry.ValueExists(appItemName_);
        if (on) {
            if (exists) return false;
            const bool quote = exe_.find(' ') != std::string::npos && exe_.front() != '"';
            registry.WriteString(appItemName_, quote ? '"' + exe_ + '"' : exe_);
            return true;
        }
        if (!exists) return false;
        return registry.DeleteValue(appItemName_);
    } catch (const _registryerror&) {
        return false;
    }
}

void _autostart::BoxClicked() {
    if (!checkBox_ || following_) return;
    if (checkBox_->Checked())
        Register();
    else
        Unregister();
    // A write the registry refused leaves the box showing what it holds,
    // not what was asked for.
    const bool registered = Registered();
    if (checkBox_->Checked() == registered) return;
    following_ = true;
    checkBox_->SetChecked(registered);
    following_ = false;
}

}  // namespace corvex
