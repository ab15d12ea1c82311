#pragma once
// The sixteen standard colours of the colour boxes and the item that shows
// a colour.
//
// Portable: no Windows header.

#include "Color.h"

namespace corvex {

constexpr int PALETTE_SIZE = 16;
// The item after the palette: any other colour, and the colour dialog.
constexpr int PALETTE_CHOOSE_ITEM = PALETTE_SIZE;

// The colour of palette entry `index` (0..15); black outside the palette.
_color PaletteColor(int index) noexcept;

// The first palette entry of `color`, or PALETTE_CHOOSE_ITEM when none.
int PaletteItemOf(_color color) noexcept;

}  // namespace corvex
