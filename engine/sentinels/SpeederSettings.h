#pragma once
// The values a Speeder keeps in the settings store, below its key
// Sentinels\<caption>\Speeders\<name>, apart from the controls that show
// them: each read is checked against its range, so a damaged registry
// gives the defaults and never a broken band.
//
//   _speedervalues     what every Speeder keeps (visibility, nick, row size)
//   _graphvalues       what a graph Speeder keeps besides (levels, style,
//                      history, colours, tray attachment)
//   Load/Save...Values read and write them in the stored order
//
// Portable: no Windows header.

#include <string>

#include "Color.h"
#include "SpeederGauge.h"
#include "SpeederOptions.h"

namespace corvex {

class _lair;

// Stored histories beyond this are damaged data: the graph would try to
// hold billions of samples. A bar is never wider than a few thousand.
constexpr int SPEEDER_HISTORY_MAX = 100000;
// The graph's styles are 0 .. 2 (oscillograph, spectrum, progress bar).
constexpr int SPEEDER_STYLE_MAX = 2;
// The highest tray gauge index the tray container can hold.
constexpr int SPEEDER_TRAY_INDEX_MAX = 63;

struct _speedervalues {
    bool hidden = false;
    bool meters = false;
    bool named = true;
    bool iconed = true;
    std::string nick;
    int nbx = 0;
    int nby = 17;
};

struct _graphvalues {
    _speederlevels levels;
    int style = SPEEDER_STYLE_MAX;
    bool art = true;
    int history = 0;
    _color backColor = 0x8000000F;
    _color fontColor = 0;
    int trayIndex = -1;
    int trayBarIndex = -1;
};

// Reads over `values`, which hold the current state as the defaults. The
// `unsupported` options among Meters, Named and Iconed are neither read
// nor written.
void LoadSpeederValues(_lair& store, _speedervalues& values, _speederoptions unsupported);
// A write the registry refuses raises _registryerror.
void SaveSpeederValues(_lair& store, const _speedervalues& values, _speederoptions unsupported);
// "tray_index" is read with -1 as its default, whatever is held now.
void LoadGraphValues(_lair& store, _graphvalues& values);
void SaveGraphValues(_lair& store, const _graphvalues& values);

}  // namespace corvex
