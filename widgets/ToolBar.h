#pragma once
// A flat tool bar.
//
//   _speedbutton  a flat push button that takes no focus on the way
//   _toolbar      a panel along the top of its parent that puts its buttons
//                 side by side, in the order they were added

#include <string>

#include "Panel.h"

namespace corvex {

class _speedbutton : public _wincontrol {
public:
    _speedbutton(_component* owner, _wincontrol* parent, const std::string& caption = {});

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    // What a click does: OnClick when enabled.
    void Click();

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);
};

class _toolbar : public _panel {
public:
    _toolbar(_component* owner, _wincontrol* parent);

    // A new button after the last one, owned by the tool bar.
    _speedbutton& AddButton(const std::string& caption, int width = 48, int height = 23);

private:
    int next_ = 2;  // where the next button goes
};

}  // namespace corvex
