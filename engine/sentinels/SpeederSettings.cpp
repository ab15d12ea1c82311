#include "SpeederSettings.h"

#include "Lair_Zolt2.h"

namespace corvex {

void LoadSpeederValues(_lair& store, _speedervalues& values, _speederoptions unsupported) {
    values.hidden = store.ReadBool("Hidden", values.hidden);
    if (!(unsupported & SPEEDER_METERS)) values.meters = store.ReadBool("Meters", values.meters);
    if (!(unsupported & SPEEDER_NAMED)) values.named = store.ReadBool("Named", values.named);
    if (!(unsupported & SPEEDER_ICONED)) values.iconed = store.ReadBool("Iconed", values.iconed);
    values.nick = store.ReadString("Nick", values.nick, SPEEDER_NICK_MAX);
    values.nbx = store.ReadInteger("NBX", values.nbx, 0, SPEEDER_NBX_MAX);
    values.nby = store.ReadInteger("NBY", values.nby, SPEEDER_NBY_MIN, SPEEDER_NBY_MAX);
}

void SaveSpeederValues(_lair& store, const _speedervalues& values, _speederoptions unsupported) {
    store.WriteBool("Hidden", values.hidden);
    if (!(unsupported & SPEEDER_METERS)) store.WriteBool("Meters", values.meters);
    if (!(unsupported & SPEEDER_NAMED)) store.WriteBool("Named", values.named);
    if (!(unsupported & SPEEDER_ICONED)) store.WriteBool("Iconed", values.iconed);
    store.WriteString("Nick", values.nick);
    store.WriteInteger("NBX", values.nbx);
    store.WriteInteger("NBY", values.nby);
}

void LoadGraphValues(_lair& store, _graphvalues& values) {
    _speederlevels& levels = values.levels;
    levels.l1 = store.ReadColor("L1 color", levels.l1);
    levels.l2 = store.ReadColor("L2 color", levels.l2);
    levels.l3 = store.ReadColor("L3 color", levels.l3);
    levels.l4 = store.ReadColor("L4 color", levels.l4);
    values.style = store.ReadInteger("style", values.style, 0, SPEEDER_STYLE_MAX);
    values.art = store.ReadBool("art", values.art);
    values.history = store.ReadInteger("history", values.history, 0, SPEEDER_HISTORY_MAX);
    values.backColor = store.ReadColor("back_color", values.backColor);
    values.fontColor = store.ReadColor("font_color", values.fontColor);
    levels.l1Limit = store.ReadInteger("L1 limit", levels.l1Limit, 0, 100);
    levels.l2Limit = store.ReadInteger("L2 limit", levels.l2Limit, 0, 100);
    values.trayBarIndex = store.ReadInteger("tray_bar_index", values.trayBarIndex, -1, 1);
    values.trayIndex = store.ReadInteger("tray_index", -1, -1, SPEEDER_TRAY_INDEX_MAX);
}

void SaveGraphValues(_lair& store, const _graphvalues& values) {
    const _speederlevels& levels = values.levels;
    store.WriteInteger("L1 color", static_cast<int>(levels.l1));
    store.WriteInteger("L2 color", static_cast<int>(levels.l2));
    store.WriteInteger("L3 color", static_cast<int>(levels.l3));
    store.WriteInteger("L4 color", static_cast<int>(levels.l4));
    store.WriteInteger("L1 limit", levels.l1Limit);
    store.WriteInteger("L2 limit", levels.l2Limit);
    store.WriteInteger("style", values.style);
    store.WriteBool("art", values.art);
    store.WriteInteger("history", values.history);
    store.WriteInteger("back_color", static_cast<int>(values.backColor));
    store.WriteInteger("font_color", static_cast<int>(values.fontColor));
    store.WriteInteger("tray_index", values.trayIndex);
    store.WriteInteger("tray_bar_index", values.trayBarIndex);
}

}  // namespace corvex
