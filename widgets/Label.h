#pragma once
// _label: a line of text drawn on the parent's surface. "&x" underlines the
// access key; Alt with that key focuses the label's FocusControl. With
// AutoSize (the default) the label takes the size of its text; Transparent
// leaves the background to what lies beneath. A disabled label is drawn
// etched, as Windows draws disabled text.

#include <string>

#include "Control.h"

namespace corvex {

enum _alignment : unsigned char {
    TEXT_LEFT = 0,
    TEXT_RIGHT = 1,
    TEXT_CENTER = 2,
};

class _label : public _graphiccontrol {
public:
    _label(_component* owner, _wincontrol* parent, std::string caption = {});

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool on);
    _alignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(_alignment alignment);
    // The control Alt + the access key focuses (forgotten when it goes).
    _wincontrol* FocusControl() const noexcept { return focusControl_; }
    void SetFocusControl(_wincontrol* control);

    void Paint(_canvas& canvas) override;

protected:
    void FontChanged() override;
    void EnabledChanged() override { Invalidate(); }
    void Notification(_component& destroyed) override;

private:
    void AdjustSize();

    // The font as a handle, made once per change of face rather than at
    // every paint, with its character widths.
    HFONT FontHandle();
    // The caption's width in the font, measured once per change of either.
    int TextWidth();

    std::string caption_;
    _fonthandle font_;
    _fontspec fontOf_;
    _charwidths widths_;  // of font_
    int textWidth_ = -1;  // unknown
    bool autoSize_ = true;
    _alignment alignment_ = TEXT_LEFT;
    _wincontrol* focusControl_ = nullptr;
};

}  // namespace corvex
