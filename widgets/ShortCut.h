#pragma once
// Short-cut codes and menu captions.
//
// A short-cut code is 16 bits: the virtual-key code in the low byte, plus
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt. Texts name the
// modifiers in the order Shift, Ctrl, Alt ("Shift+Ctrl+F7").
//
// Portable: no Windows header.

#include <cstdint>
#include <string>

namespace corvex {

using _shortcut = std::uint16_t;

constexpr _shortcut SHORTCUT_SHIFT = 0x2000;
constexpr _shortcut SHORTCUT_CTRL = 0x4000;
constexpr _shortcut SHORTCUT_ALT = 0x8000;
constexpr _shortcut SHORTCUT_NONE = 0;

constexpr _shortcut MakeShortCut(unsigned key, bool shift, bool ctrl, bool alt) noexcept {
    return static_cast<_shortcut>((key & 0xFFu) | (shift ? SHORTCUT_SHIFT : 0u) |
                                  (ctrl ? SHORTCUT_CTRL : 0u) | (alt ? SHORTCUT_ALT : 0u));
}
constexpr unsigned ShortCutKey(_shortcut code) noexcept {
    return code & 0xFFu;
}

// "Ctrl+H", "Shift+Alt+Backspace", "F1"; empty for a code without a key.
std::string ShortCutToText(_shortcut code);
// The inverse of ShortCutToText, any case and blanks around '+' allowed;
// SHORTCUT_NONE for anything it does not recognise.
_shortcut TextToShortCut(const std::string& text);

// The access key of a menu or label caption: the upper-cased character
// after the first single '&' ("&hide" -> 'H', "hel&p" -> 'P'); "&&" is a
// literal ampersand. 0 when there is none.
char AccessKey(const std::string& caption);

// The hot-key field of the common controls keeps its modifiers in the high
// byte as 1 Shift, 2 Ctrl, 4 Alt (8 extended key, dropped here).
_shortcut ShortCutFromHotKeyField(unsigned value) noexcept;
unsigned HotKeyFieldFromShortCut(_shortcut code) noexcept;

}  // namespace corvex
