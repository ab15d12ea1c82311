#pragma once
// The bar's own options in the settings store, below "Options".
//
//   _kernelsettings   the options while the bar runs, with their defaults
//   LoadBarSettings   reads them, each checked against its range: a stored
//                     value out of range or of the wrong type gives the
//                     default (and one log line), never a broken bar
//   SaveBarSettings   writes them
//   LoadScreenPositions, SaveScreenPositions
//                     the bar's corner per resolution, below "Screen"
//
// Portable: no Windows header.

#include <functional>

#include "BarGeometry.h"
#include "Color.h"
#include "LiveOptions.h"

namespace corvex {

class _lair;

struct _kernelsettings {
    bool visible = true;
    int transparency = 255;
    _color backColor = COLOR_GRAY;
    unsigned update = 1000;  // refresh interval, milliseconds
    int hotkey = 0xC057;     // Ctrl+Alt+W
    int stick = 10;
    bool onTop = true;
    bool dock = false;
};

// The ranges the Options dialog offers; a stored value outside them is
// damage, not a choice.
constexpr int BAR_TRANSPARENCY_MAX = 255;
constexpr unsigned BAR_UPDATE_MIN = 100;
constexpr unsigned BAR_UPDATE_MAX = 100000000;
constexpr int BAR_STICK_MAX = 100;

// Reads the values of the store's current key over `settings`, which
// holds the defaults.
void LoadBarSettings(_lair& store, _kernelsettings& settings);
// Writes the options below the store's current key: `visible` for the
// bar, the rest as the Options dialog holds them. A write the registry
// refuses raises _registryerror.
void SaveBarSettings(_lair& store, bool visible, const _liveoptions& options);

// Hands `add` the corner and resolution of every "Screen\<name>" key, in the
// order the store lists them; the values say the resolution, not the name.
// A key without a resolution is no record of one.
void LoadScreenPositions(_lair& store, const std::function<void(int x, int y, int xRes, int yRes)>& add);
// Writes one "Screen\<width>x<height>" key per position. A write the
// registry refuses raises _registryerror.
void SaveScreenPositions(_lair& store, const _screenpositions& positions);

}  // namespace corvex
