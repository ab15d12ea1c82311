// Loads the bar's and the Speeders' stored values from a registry filled
// with hostile content, saves them and loads them again: every value must
// come back in range, and the second load must give what the first gave.
//
// The input is a sequence of entries: a key byte, a value-name byte, a
// type byte, a length byte and that many data bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BarSettings.h"
#include "Lair_Zolt2.h"
#include "RegistryMemory.h"
#include "SpeederSettings.h"

namespace {

using namespace corvex;

const char* const kRoot = "Software\\Brannock\\corvex\\0.0.1\\";
const char* const kKeys[] = {"Options", "Screen\\1024x768", "Screen\\damaged", "Screen\\800x600",
                             "Sentinels\\CPU Sentinel\\Speeders\\cpu 1"};
const char* const kNames[] = {"Visible",  "Transparency", "Back Color", "Update",     "Hotkey",    "Stick",
                              "OnTop",    "dock",         "X",          "Y",          "XRes",      "YRes",
                              "Hidden",   "Meters",       "Named",      "Iconed",     "Nick",      "NBX",
                              "NBY",      "L1 color",     "L2 color",   "L3 color",   "L4 color",  "L1 limit",
                              "L2 limit", "style",        "art",        "history",    "back_color", "font_color",
                              "tray_index", "tray_bar_index"};
const std::uint32_t kTypes[] = {REGISTRY_TYPE_DWORD, REGISTRY_TYPE_SZ, REGISTRY_TYPE_BINARY, REGISTRY_TYPE_MULTI_SZ,
                                REGISTRY_TYPE_NONE};

template <class T, std::size_t N>
constexpr std::size_t Count(const T (&)[N]) {
    return N;
}

// A broken expectation says which line it is, then stops the run.
#define Expect(condition) \
    ((condition) ? (void)0 : (std::fprintf(stderr, "fuzz_settings: line %d: %s\n", __LINE__, #condition), std::abort()))

bool IsColor(_color c) { return (c & 0xFF000000u) == 0 || (c >= 0x80000000u && c <= 0x8000001Eu); }

struct Loaded {
    _kernelsettings bar;
    std::vector<_screenposition> positions;
    _speedervalues speeder;
    _graphvalues graph;
};

_lair& Store(_lair& store) {
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    store.SetVer("0.0.1");
    return store;
}

Loaded Load(_memoryregistry& registry) {
    _lair store(nullptr, registry);
    Store(store);
    Loaded got;
    store.SetKey("Options");
    LoadBarSettings(store, got.bar);
    LoadScreenPositions(store, [&got](int x, int y, int xRes, int yRes) {
        got.positions.push_back(_screenposition{x, y, xRes, yRes});
    });
    store.SetKey(kKeys[4]);
    LoadGraphValues(store, got.graph);
    LoadSpeederValues(store, got.speeder, 0);
    return got;
}

void CheckRanges(const Loaded& got) {
    Expect(got.bar.transparency >= 0 && got.bar.transparency <= BAR_TRANSPARENCY_MAX);
    Expect(got.bar.update >= BAR_UPDATE_MIN && got.bar.update <= BAR_UPDATE_MAX);
    Expect(got.bar.stick >= 0 && got.bar.stick <= BAR_STICK_MAX);
    Expect(got.bar.hotkey >= 0 && got.bar.hotkey <= 0xFFFF && (got.bar.hotkey & 0x1F00) == 0);
    Expect(IsColor(got.bar.backColor));
    for (const _screenposition& p : got.positions) Expect(p.xRes > 0 && p.yRes > 0 && p.xRes <= 32767);
    Expect(got.speeder.nick.size() <= SPEEDER_NICK_MAX);
    Expect(got.speeder.nbx >= 0 && got.speeder.nbx <= SPEEDER_NBX_MAX);
    Expect(got.speeder.nby >= SPEEDER_NBY_MIN && got.speeder.nby <= SPEEDER_NBY_MAX);
    const _speederlevels& l = got.graph.levels;
    Expect(IsColor(l.l1) && IsColor(l.l2) && IsColor(l.l3) && IsColor(l.l4));
    Expect(l.l1Limit >= 0 && l.l1Limit <= 100 && l.l2Limit >= 0 && l.l2Limit <= 100);
    Expect(got.graph.style >= 0 && got.graph.style <= SPEEDER_STYLE_MAX);
    Expect(got.graph.history >= 0 && got.graph.history <= SPEEDER_HISTORY_MAX);
    Expect(IsColor(got.graph.backColor) && IsColor(got.graph.fontColor));
    Expect(got.graph.trayIndex >= -1 && got.graph.trayIndex <= SPEEDER_TRAY_INDEX_MAX);
    Expect(got.graph.trayBarIndex >= -1 && got.graph.trayBarIndex <= 1);
}

void Save(_memoryregistry& registry, const Loaded& got) {
    _lair store(nullptr, registry);
    Store(store);
    store.SetKey("Options");
    _liveoptions live;
    live.transparency = got.bar.transparency;
    live.backColor = got.bar.backColor;
    live.update = got.bar.update;
    live.hotkey = got.bar.hotkey;
    live.stick = got.bar.stick;
    live.onTop = got.bar.onTop;
    live.dock = got.bar.dock;
    SaveBarSettings(store, got.bar.visible, live);
    _screenpositions positions;
    for (const _screenposition& p : got.positions) positions.Add(p.x, p.y, p.xRes, p.yRes);
    SaveScreenPositions(store, positions);
    store.SetKey(kKeys[4]);
    SaveGraphValues(store, got.graph);
    SaveSpeederValues(store, got.speeder, 0);
}

bool Same(const Loaded& a, const Loaded& b) {
    const auto& x = a.bar;
    const auto& y = b.bar;
    if (x.visible != y.visible || x.transparency != y.transparency || x.backColor != y.backColor ||
        x.update != y.update || x.hotkey != y.hotkey || x.stick != y.stick || x.onTop != y.onTop || x.dock != y.dock)
        return false;
    if (a.speeder.nick != b.speeder.nick || a.speeder.nbx != b.speeder.nbx || a.speeder.nby != b.speeder.nby ||
        a.speeder.hidden != b.speeder.hidden || a.speeder.meters != b.speeder.meters)
        return false;
    const auto& g = a.graph;
    const auto& h = b.graph;
    return g.levels.l1 == h.levels.l1 && g.levels.l4 == h.levels.l4 && g.levels.l2Limit == h.levels.l2Limit &&
           g.style == h.style && g.art == h.art && g.history == h.history && g.backColor == h.backColor &&
           g.trayIndex == h.trayIndex && g.trayBarIndex == h.trayBarIndex;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    _memoryregistry hostile;
    hostile.AddKey(REGISTRY_CURRENT_USER, "Software");
    for (std::size_t at = 0; at + 4 <= size;) {
        const std::string key = std::string(kRoot) + kKeys[data[at] % Count(kKeys)];
        const char* name = kNames[data[at + 1] % Count(kNames)];
        const std::uint32_t type = kTypes[data[at + 2] % Count(kTypes)];
        const std::size_t length = data[at + 3];
        at += 4;
        const std::size_t take = length < size - at ? length : size - at;
        hostile.Put(REGISTRY_CURRENT_USER, key, name, type, std::vector<std::uint8_t>(data + at, data + at + take));
        at += take;
    }
    const Loaded first = Load(hostile);
    CheckRanges(first);

    _memoryregistry saved;
    saved.AddKey(REGISTRY_CURRENT_USER, "Software");  // as on every Windows
    Save(saved, first);
    const Loaded second = Load(saved);
    CheckRanges(second);
    Expect(Same(first, second));
    // Every position read is one of the resolutions written again.
    Expect(second.positions.size() <= first.positions.size());
    return 0;
}
