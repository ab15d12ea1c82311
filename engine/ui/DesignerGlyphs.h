#pragma once
// The Designer's own pictures: one per tool-bar button and the band that
// stands for a Sentinel in the tree, drawn on fuchsia (left out).

#include "Bitmap.h"

namespace corvex {

enum _toolglyph : unsigned char {
    GLYPH_REFRESH,
    GLYPH_HIDE,
    GLYPH_SHOW,
    GLYPH_DESTROY,
    GLYPH_ADD,
    GLYPH_UPDATE,
    GLYPH_UP,
    GLYPH_DOWN,
};

// A 12 x 12 picture of a tool-bar button.
void DrawToolGlyph(_bitmap& glyph, _toolglyph which);
// A 16 x 16 band of readouts: a Sentinel's node.
void DrawBandPicture(_bitmap& picture);

}  // namespace corvex
