#pragma once
// _autostart: registers the program in one of the system's "Run" keys
// (of HKEY_LOCAL_MACHINE unless another hive is set), optionally bound to a
// check box that shows and switches the registration.

#include <string>

#include "Component.h"
#include "RegistryBackend.h"

namespace corvex {

class _checkbox;

enum TRunType : unsigned char {
    rtRun = 0,
    rtRunOnce = 1,
    rtRunOnceEx = 2,
    rtRunServices = 3,
    rtRunServicesOnce = 4,
};

// "Run", "RunOnce", "RunOnceEx", "RunServices" or "RunServicesOnce".
const char* RunKeyNameOf(TRunType type) noexcept;

class _autostart : public _component {
public:
    explicit _autostart(_component* owner);
    // Registers first when AutoRegister is set.
    ~_autostart() override;

    // ---- attributes
    // The registry value name; empty: the component never touches the
    // registry.
    const std::string& AppItemName() const noexcept { return appItemName_; }
    void SetAppItemName(const std::string& name);
    // Register when destroyed; only while no check box is bound.
    bool AutoRegister() const noexcept { return autoRegister_; }
    void SetAutoRegister(bool on);
    // The bound box: its clicks register and unregister. Binding one ends
    // AutoRegister.
    _checkbox* CheckBox() const noexcept { return checkBox_; }
    void SetCheckBox(_checkbox* box);
    // The hive whose Run keys are used: HKEY_LOCAL_MACHINE for every user
    // of the machine, HKEY_CURRENT_USER for the user running the program
    // (who may not be allowed to write the former).
    _regkey Root() const noexcept { return root_; }
    void SetRoot(_regkey root) noexcept { root_ = root; }
    TRunType RunType() const noexcept { return runType_; }
    void SetRunType(TRunType type);
    // The command stored as the value's data; the running program's full
    // path by default. Setting it names a file in the program's folder.
    const std::string& Exe() const noexcept { return exe_; }
    void SetExe(const std::string& fileName);

    // The key name every instance uses: the last RunType set or loaded.
    static const std::string& RunKeyName() noexcept;
    // "Software\Microsoft\Windows\CurrentVersion\" + RunKeyName().
    static std::string RunKeyPath();

    // ---- operations
    // Writes or deletes the value; true when the registry changed. A bound
    // box follows a change. The command is written quoted when its path
    // holds blanks, so that the system cannot take the path's first word
    // for the program.
    bool Register();
    bool Unregister();
    // Whether the value exists now.
    bool Registered() const;

protected:
    void Loaded() override;
    void Notification(_component& destroyed) override;

private:
    bool SetEntry(bool on);
    void BoxClicked();

    std::string appItemName_;
    bool autoRegister_ = true;
    _checkbox* checkBox_ = nullptr;
    bool following_ = false;  // the box is being set to what the registry holds
    _regkey root_ = REGISTRY_LOCAL_MACHINE;
    TRunType runType_ = rtRun;
    std::string exe_;
};

}  // namespace corvex
