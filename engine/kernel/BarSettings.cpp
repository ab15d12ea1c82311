#include "BarSettings.h"

#include <cstdio>

#include "Lair_Zolt2.h"
#include "ShortCut.h"

namespace corvex {

namespace {

// A shortcut code: a virtual key in the low byte plus the Shift, Ctrl and
// Alt bits; 0 is no key at all.
bool IsShortCutCode(int code) noexcept {
    constexpr int kModifiers = SHORTCUT_SHIFT | SHORTCUT_CTRL | SHORTCUT_ALT;
    return code >= 0 && (code & ~(kModifiers | 0xFF)) == 0 && (code == 0 || (code & 0xFF) != 0);
}

int ReadShortCut(_lair& store, const char* name, int fallback) {
    const int code = store.ReadInteger(name, fallback);
    if (IsShortCutCode(code)) return code;
    char shown[16];
    std::snprintf(shown, sizeof shown, "$%X", static_cast<unsigned>(code));
    store.Refuse(name, shown, "is no shortcut code");
    return fallback;
}

}  // namespace

void LoadBarSettings(_lair& store, _kernelsettings& settings) {
    settings.visible = store.ReadBool("Visible", settings.visible);
    settings.transparency = store.ReadInteger("Transparency", settings.transparency, 0, BAR_TRANSPARENCY_MAX);
    settings.backColor = store.ReadColor("Back Color", settings.backColor);
    settings.update = static_cast<unsigned>(store.ReadInteger("Update", static_cast<int>(settings.update),
                                                              static_cast<int>(BAR_UPDATE_MIN),
                                                              static_cast<int>(BAR_UPDATE_MAX)));
    settings.hotkey = ReadShortCut(store, "Hotkey", settings.hotkey);
    settings.stick = store.ReadInteger("Stick", settings.stick, 0, BAR_STICK_MAX);
    settings.onTop = store.ReadBool("OnTop", settings.onTop);
    settings.dock = store.ReadBool("dock", settings.dock);
}

void SaveBarSettings(_lair& store, bool visible, const _liveoptions& options) {
    store.WriteBool("Visible", visible);
    store.WriteInteger("Transparency", options.transparency);
    store.WriteInteger("Back Color", static_cast<int>(options.backColor));
    store.WriteInteger("Update", static_cast<int>(options.update));
    store.WriteInteger("Hotkey", options.hotkey);
    store.WriteInteger("Stick", options.stick);
    store.WriteBool("OnTop", options.onTop);
    store.WriteBool("dock", options.dock);
}

}  // namespace corvex
