#pragma once
// _about: the about box, shown by a library outside the program that is
// loaded for each showing. A missing library, or one without its entry
// point, is told to the user in a box captioned "About Wizard Error".

#include <windows.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Core_Zolt2.h"
#include "Handle.h"

namespace corvex {

// Shows an error text to the user; tests put their own in.
using _aboutnotice = std::function<void(const std::string& text)>;

class _about : public _component {
public:
    explicit _about(_component* owner);

    // ---- published
    std::time_t Compiled() const noexcept { return compiled_; }
    // Any different value stores the present time instead: the box tells
    // when the program's window was made, not a value from elsewhere.
    void SetCompiled(std::time_t value);
    const std::string& DllName() const noexcept { return dllName_; }
    void SetDllName(std::string name) { dllName_ = std::move(name); }
    const std::string& AppName() const noexcept { return appName_; }
    void SetAppName(const std::string& name) { appName_ = name.substr(0, 255); }
    const std::string& Version() const noexcept { return version_; }
    void SetVersion(const std::string& version) { version_ = version.substr(0, 255); }
    int Build() const noexcept { return build_; }
    void SetBuild(int build) noexcept { build_ = build; }
    HICON Icon() const noexcept { return icon_; }
    void SetIcon(HICON icon) noexcept { icon_ = icon; }
    std::vector<std::string>& Info() noexcept { return info_; }
    DWORD LastError() const noexcept { return lastError_; }

    void SetNotice(_aboutnotice notice);

    // ---- operations
    _result Execute();

private:
    std::time_t compiled_;
    std::string dllName_ = "infopane32.dll";
    std::string appName_ = "Application";
    std::string version_ = "0.0.1";
    int build_ = 1;
    HICON icon_ = nullptr;
    std::vector<std::string> info_;
    DWORD lastError_ = 0;
    _aboutnotice notice_;
};

// The box captioned "About Wizard Error" with the error icon: the notice
// unless a test puts another in.
void ShowWizardError(const std::string& text);

// Loads a companion library from the program's own folder (a name with a
// folder is taken as it stands), never one that happens to lie in the
// current folder or on the path. Empty when it cannot be loaded.
ModuleHandle LoadCompanionLibrary(const std::string& name);

}  // namespace corvex
