#pragma once
// Colour values as the whole program stores them: $00BBGGRR for an RGB
// colour, $80000000 + n for Windows system colour n. They become plain RGB
// only when a pen, brush or text colour is made from them.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

using _color = std::uint32_t;

constexpr _color COLOR_SYSTEM_FLAG = 0x80000000u;
// The highest system colour index Windows 2000 knows (COLOR_MENUBAR).
constexpr unsigned COLOR_SYSTEM_LAST = 30;

// A few named colours the forms use.
constexpr _color COLOR_BLACK = 0x000000;
constexpr _color COLOR_MAROON = 0x000080;
constexpr _color COLOR_GREEN = 0x008000;
constexpr _color COLOR_TEAL = 0x808000;
constexpr _color COLOR_GRAY = 0x808080;
constexpr _color COLOR_SILVER = 0xC0C0C0;
constexpr _color COLOR_LIME = 0x00FF00;
constexpr _color COLOR_FUCHSIA = 0xFF00FF;
constexpr _color COLOR_WHITE = 0xFFFFFF;
// System colours in the stored form (the COLOR_ names are Windows macros).
constexpr _color SYSCOLOR_BTNFACE = COLOR_SYSTEM_FLAG + 15;
constexpr _color SYSCOLOR_BTNSHADOW = COLOR_SYSTEM_FLAG + 16;
constexpr _color SYSCOLOR_BTNHIGHLIGHT = COLOR_SYSTEM_FLAG + 20;
constexpr _color SYSCOLOR_WINDOWTEXT = COLOR_SYSTEM_FLAG + 8;
constexpr _color SYSCOLOR_WINDOW = COLOR_SYSTEM_FLAG + 5;
constexpr _color SYSCOLOR_HIGHLIGHT = COLOR_SYSTEM_FLAG + 13;
constexpr _color SYSCOLOR_HIGHLIGHTTEXT = COLOR_SYSTEM_FLAG + 14;

constexpr bool IsSystemColor(_color color) noexcept {
    return (color & 0xFF000000u) == COLOR_SYSTEM_FLAG;
}
constexpr unsigned SystemColorIndex(_color color) noexcept {
    return color & 0x00FFFFFFu;
}

constexpr _color MakeColor(unsigned red, unsigned green, unsigned blue) noexcept {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned RedOf(_color color) noexcept {
    return color & 0xFFu;
}
constexpr unsigned GreenOf(_color color) noexcept {
    return (color >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(_color color) noexcept {
    return (color >> 16) & 0xFFu;
}

// The RGB value of `color`. `systemColor(n)` answers the RGB of system
// colour n; an index Windows does not know gives black rather than whatever
// the system would read past its table. Any other high byte (palette
// flags of other programs) is dropped.
template <class SystemLookup>
_color ColorToRGB(_color color, SystemLookup systemColor) {
    if (IsSystemColor(color)) {
        const unsigned index = SystemColorIndex(color);
        return index <= COLOR_SYSTEM_LAST ? (systemColor(index) & 0x00FFFFFFu) : COLOR_BLACK;
    }
    return color & 0x00FFFFFFu;
}

}  // namespace corvex
