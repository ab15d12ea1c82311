#pragma once
// _sexe: a command line in the bar. An editable drop-down box where Enter
// starts what was typed; the commands that started are its list, most
// recent first, kept below the readout's key as "history\0", "1", ...
// The free label serves as the message line.
//
// Windows tree only.

#include <windows.h>

#include <memory>
#include <string>

#include "Corvex_Speeders.h"

namespace corvex {

class _combobox;
class _windowhook;

class _sexe : public _speeder {
public:
    explicit _sexe(_component* owner);
    ~_sexe() override;

    _combobox& ExeCOMBO() const noexcept { return *box_; }
    // The box's edit field, where the user types.
    HWND EditWindow() const noexcept;

    void Arrange(int left, int top, int width, int height) override;
    void Measure(int& width, int& height) override;
    _result UpdateVisibility() override;
    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;

    // A character typed into the box: Enter (13) starts the command and is
    // consumed (set to 0); anything else is left alone.
    void ExeCOMBOKeyPress(char& key);

private:
    void Run(const std::string& command);

    _combobox* box_ = nullptr;  // owned through the component list
    std::unique_ptr<_windowhook> keys_;
};

}  // namespace corvex
