#pragma once
// Buttons over the system BUTTON class.
//
//   _button    a push button; Default makes it the dialog's default button
//   _checkbox  a check box; OnClick runs on every change of Checked,
//              whether the user or the program made it

#include <string>

#include "Control.h"

namespace corvex {

class _button : public _wincontrol {
public:
    _button(_component* owner, _wincontrol* parent, const std::string& caption = {});

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool on);
    // What a click does: OnClick, as if the user had pressed the button.
    void Click();

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);

    bool default_ = false;
};

class _checkbox : public _wincontrol {
public:
    _checkbox(_component* owner, _wincontrol* parent, const std::string& caption = {});

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    bool Checked() const noexcept;
    void SetChecked(bool checked);

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);
};

}  // namespace corvex
