#include "BarSettings.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Lair_Zolt2.h"
#include "ShortCut.h"

namespace corvex {

namespace {

// A corner far beyond any screen is still only a corner: the bar is kept
// on the screen when it is used. A resolution must be one.
constexpr int kCoordinateLimit = 32767;

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

void LoadScreenPositions(_lair& store, const std::function<void(int x, int y, int xRes, int yRes)>& add) {
    const _lairkey scope(store, "Screen");
    std::vector<std::string> names;
    if (store.Open()) store.Hive().GetKeyNames(names);
    for (const std::string& name : names) {
        store.SetKey("Screen\\" + name);
        const int x = store.ReadInteger("X", 0, -kCoordinateLimit, kCoordinateLimit);
        const int y = store.ReadInteger("Y", 0, -kCoordinateLimit, kCoordinateLimit);
        const int xRes = store.ReadInteger("XRes", 0, 0, kCoordinateLimit);
        const int yRes = store.ReadInteger("YRes", 0, 0, kCoordinateLimit);
        if (xRes > 0 && yRes > 0) add(x, y, xRes, yRes);
    }
}

void SaveScreenPositions(_lair& store, const _screenpositions& positions) {
    const _lairkey scope(store);
    for (int i = 0; i < positions.Count(); ++i) {
        const _screenposition& position = positions[i];
        store.SetKey("Screen\\" + std::to_string(position.xRes) + "x" + std::to_string(position.yRes));
        store.WriteInteger("X", position.x);
        store.WriteInteger("Y", position.y);
        store.WriteInteger("XRes", position.xRes);
        store.WriteInteger("YRes", position.yRes);
    }
}

}  // namespace corvex
