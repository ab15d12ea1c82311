#include "ColorPalette.h"

namespace corvex {

namespace {

constexpr _color kPalette[PALETTE_SIZE] = {
    0x000000,  // black
    0x000080,  // maroon
    0x008000,  // green
    0x008080,  // olive
    0x800000,  // navy
    0x800080,  // purple
    0x808000,  // teal
    0x808080,  // gray
    0xC0C0C0,  // silver
    0x0000FF,  // red
    0x00FF00,  // lime
    0x00FFFF,  // yellow
    0xFF0000,  // blue
    0xFF00FF,  // fuchsia
    0xFFFF00,  // aqua
    0xFFFFFF,  // white
};

}  // namespace

_color PaletteColor(int index) noexcept {
    return index >= 0 && index < PALETTE_SIZE ? kPalette[index] : COLOR_BLACK;
}

int PaletteItemOf(_color color) noexcept {
    for (int i = 0; i < PALETTE_SIZE; ++i)
        if (kPalette[i] == color) return i;
    return PALETTE_CHOOSE_ITEM;
}

}  // namespace corvex
