#pragma once
// _panel: a window of the layer's own class with a colour, an optional
// centred caption and Windows-style bevels (outer and inner, raised or
// lowered, of a given width). Sentinel bands, Designer pages and dialog
// areas are panels.

#include "Control.h"

namespace corvex {

enum _bevel : unsigned char {
    BEVEL_NONE = 0,
    BEVEL_LOWERED = 1,
    BEVEL_RAISED = 2,
};

class _panel : public _wincontrol {
public:
    _panel(_component* owner, _wincontrol* parent);

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    _bevel BevelOuter() const noexcept { return outer_; }
    void SetBevelOuter(_bevel bevel);
    _bevel BevelInner() const noexcept { return inner_; }
    void SetBevelInner(_bevel bevel);
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int width);
    // The area inside the bevels.
    _rect InnerRect() const noexcept;

protected:
    void PaintWindow(_canvas& canvas) override;
    // Aligned children stay inside the bevels.
    _rect AlignArea() const noexcept override { return InnerRect(); }

private:
    _bevel outer_ = BEVEL_RAISED;
    _bevel inner_ = BEVEL_NONE;
    int bevelWidth_ = 1;
};

// Draws `width` rings of a bevel inside `area` and shrinks it by them.
void DrawBevel(_canvas& canvas, _rect& area, _bevel bevel, int width);

}  // namespace corvex
