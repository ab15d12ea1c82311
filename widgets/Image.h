#pragma once
// Windowless picture controls.
//
//   _image     shows a bitmap at its top-left corner (or stretched); a
//              transparent image leaves out the pixels of its transparent
//              colour (by default the picture's bottom-left pixel)
//   _paintbox  calls OnPaint with a canvas clipped to its bounds

#include <functional>

#include "Bitmap.h"
#include "Control.h"

namespace corvex {

class _image : public _graphiccontrol {
public:
    _image(_component* owner, _wincontrol* parent);

    // Change the picture through Picture() and then Invalidate or Repaint,
    // or hand a whole one to SetPicture.
    _bitmap& Picture() noexcept { return picture_; }
    void SetPicture(const _bitmap& picture);
    bool Stretch() const noexcept { return stretch_; }
    void SetStretch(bool on);
    // The colour left out when Transparent; automatic until set.
    _color TransparentColor() const noexcept;
    void SetTransparentColor(_color color);

    void Paint(_canvas& canvas) override;

private:
    _bitmap picture_;
    bool stretch_ = false;
    bool autoTransparent_ = true;
    _color transparentColor_ = COLOR_FUCHSIA;
};

class _paintbox : public _graphiccontrol {
public:
    _paintbox(_component* owner, _wincontrol* parent);

    std::function<void(_canvas&)> OnPaint;

    void Paint(_canvas& canvas) override {
        if (OnPaint) OnPaint(canvas);
    }
};

}  // namespace corvex
