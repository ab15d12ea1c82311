#include "ShortCut.h"

#include <cctype>

namespace corvex {

namespace {

struct KeyName {
    unsigned key;
    const char* name;
};

// Virtual-key codes of the named keys (the values are fixed by Windows).
constexpr KeyName kKeyNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"},      {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},        {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

constexpr unsigned kF1 = 0x70, kF24 = 0x87;
constexpr unsigned kNumpad0 = 0x60, kNumpad9 = 0x69;

std::string KeyText(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key <= kF24) return "F" + std::to_string(key - kF1 + 1);
    if (key >= kNumpad0 && key <= kNumpad9) return "Num " + std::to_string(key - kNumpad0);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The key of one name ("H", "F7", "Backspace"), 0 when unknown.
unsigned KeyOf(const std::string& name) {
    const std::string upper = Upper(name);
    if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0])))
        return static_cast<unsigned char>(upper[0]);
    for (unsigned key = kF1; key <= kF24; ++key)
        if (Upper(KeyText(key)) == upper) return key;
    for (unsigned key = kNumpad0; key <= kNumpad9; ++key)
        if (Upper(KeyText(key)) == upper) return key;
    for (const KeyName& k : kKeyNames)
        if (Upper(k.name) == upper) return k.key;
    return 0;
}

}  // namespace

std::string ShortCutToText(_shortcut code) {
    const std::string key = KeyText(ShortCutKey(code));
    if (key.empty()) return {};
    std::string text;
    if (code & SHORTCUT_SHIFT) text += "Shift+";
    if (code & SHORTCUT_CTRL) text += "Ctrl+";
    if (code & SHORTCUT_ALT) text += "Alt+";
    return text + key;
}

_shortcut TextToShortCut(const std::string& text) {
    unsigned modifiers = 0;
    std::string rest = text;
    for (;;) {
        const auto plus = rest.find('+', 1);  // a lone "+" is no separator
        if (plus == std::string::npos) break;
        const std::string part = Upper(Trim(rest.substr(0, plus)));
        unsigned flag = 0;
        if (part == "SHIFT")
            flag = SHORTCUT_SHIFT;
        else if (part == "CTRL")
            flag = SHORTCUT_CTRL;
        else if (part == "ALT")
            flag = SHORTCUT_ALT;
        if (flag == 0 || (modifiers & flag)) return SHORTCUT_NONE;
        modifiers |= flag;
        rest = rest.substr(plus + 1);
    }
    const unsigned key = KeyOf(Trim(rest));
    return key ? static_cast<_shortcut>(key | modifiers) : SHORTCUT_NONE;
}

char AccessKey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

_shortcut ShortCutFromHotKeyField(unsigned value) noexcept {
    const unsigned flags = (value >> 8) & 0xFFu;
    return MakeShortCut(value & 0xFFu, flags & 1u, flags & 2u, flags & 4u);
}

unsigned HotKeyFieldFromShortCut(_shortcut code) noexcept {
    unsigned flags = 0;
    if (code & SHORTCUT_SHIFT) flags |= 1u;
    if (code & SHORTCUT_CTRL) flags |= 2u;
    if (code & SHORTCUT_ALT) flags |= 4u;
    return ShortCutKey(code) | (flags << 8);
}

}  // namespace corvex
