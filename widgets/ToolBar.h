#pragma once
// A flat tool bar.
//
//   _speedbutton  a flat push button that takes no focus on the way: its
//                 frame shows only under the mouse and while pressed; an
//                 optional picture sits left of the caption, greyed while
//                 the button is disabled
//   _toolbar      a panel along the top of its parent that puts its buttons
//                 side by side, in the order they were added, and shows
//                 their hints

#include <string>

#include "Bitmap.h"
#include "Panel.h"

namespace corvex {

class _tooltip;

class _speedbutton : public _wincontrol {
public:
    _speedbutton(_component* owner, _wincontrol* parent, const std::string& caption = {});

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    // The picture; its bottom-left pixel's colour is left out.
    const _bitmap& Glyph() const noexcept { return glyph_; }
    void SetGlyph(const _bitmap& glyph);
    // Under the mouse right now.
    bool Hot() const noexcept { return hot_; }
    // What a click does: OnClick when enabled.
    void Click();

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);
    LRESULT OnDrawItem(LPARAM lparam);
    LRESULT OnMouseMove(WPARAM wparam, LPARAM lparam);
    LRESULT OnMouseLeave(WPARAM wparam, LPARAM lparam);

    _bitmap glyph_;
    _bitmap greyGlyph_;  // the same picture in the shadow colour
    bool hot_ = false;
};

class _toolbar : public _panel {
public:
    _toolbar(_component* owner, _wincontrol* parent);

    // A new button after the last one, owned by the tool bar.
    _speedbutton& AddButton(const std::string& caption, int width = 48, int height = 23);
    // The hint shown while the mouse rests on one of its buttons.
    void SetHint(_speedbutton& button, const std::string& hint);
    std::string Hint(const _speedbutton& button) const;

private:
    int next_ = 2;  // where the next button goes
    _tooltip* hints_ = nullptr;  // owned through the component list, made with the first hint
};

}  // namespace corvex
